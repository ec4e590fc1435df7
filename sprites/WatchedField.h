// A public data field of a sprite that tells its sprite when it is written.
//
// Game code reads and writes sprite fields directly (`X += 2`, `FrameSpeed = 0`).
// The engine skips still placed objects in its move pass and keeps them in a
// spatial index, so it must hear of every write to the few fields that decide
// where a sprite is and whether its step does anything. The field reads like
// the plain value; every write calls Tag::Written with the field's address,
// from which the tag finds its sprite.
//
// Copying the field itself is refused (a copy would write to a sprite that is
// not there): `auto x = Sprite.X` does not compile; `double x = Sprite.X` does.
//
// A tag may also have a Read(Field, Stored) function: every read then goes
// through it, for a field whose true value is kept elsewhere for a while (a
// picture's frame position while its animation runs on a shared clock).
#pragma once

#include <concepts>
#include <cstddef>
#include <type_traits>

namespace kestrilo {

template <typename Tag, typename T>
concept TFieldReadHook = requires(const void* field, T stored) {
  { Tag::Read(field, stored) } -> std::convertible_to<T>;
};

// The object that holds a watched field Offset bytes into itself. The fields
// are members of their sprite at a fixed place, which the compilers this
// project supports give by offsetof also for classes with virtual functions.
template <typename Owner>
Owner* OwnerOfField(void* Field, size_t Offset) {
  return reinterpret_cast<Owner*>(static_cast<char*>(Field) - Offset);
}
template <typename Owner>
const Owner* OwnerOfField(const void* Field, size_t Offset) {
  return reinterpret_cast<const Owner*>(static_cast<const char*>(Field) - Offset);
}

template <typename T, typename Tag>
class TWatchedField {
 public:
  TWatchedField() = default;
  TWatchedField(const TWatchedField&) = delete;
  TWatchedField& operator=(const TWatchedField& Other) { return *this = Other.Get(); }
  TWatchedField& operator=(T Value) {
    value_ = Value;
    Tag::Written(this);
    return *this;
  }

  operator T() const { return Get(); }
  T Get() const {
    if constexpr (TFieldReadHook<Tag, T>)
      return Tag::Read(this, value_);
    else
      return value_;
  }
  // The value as stored, and a store that tells nobody: for the one owner
  // that keeps the true value elsewhere and settles it back.
  T Stored() const { return value_; }
  void Settle(T Value) { value_ = Value; }

  TWatchedField& operator+=(T Delta) { return *this = static_cast<T>(Get() + Delta); }
  TWatchedField& operator-=(T Delta) { return *this = static_cast<T>(Get() - Delta); }
  TWatchedField& operator*=(T Factor) { return *this = static_cast<T>(Get() * Factor); }
  TWatchedField& operator/=(T Divisor) { return *this = static_cast<T>(Get() / Divisor); }

  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  TWatchedField& operator++() {
    return *this = static_cast<T>(Get() + 1);
  }
  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  TWatchedField& operator--() {
    return *this = static_cast<T>(Get() - 1);
  }
  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  T operator++(int) {
    const T old = Get();
    *this = static_cast<T>(old + 1);
    return old;
  }
  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  T operator--(int) {
    const T old = Get();
    *this = static_cast<T>(old - 1);
    return old;
  }

 private:
  T value_{};
};

}  // namespace kestrilo
