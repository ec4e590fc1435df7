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
#pragma once

#include <cstddef>
#include <type_traits>

namespace kestrilo {

// The object that holds a watched field Offset bytes into itself. The fields
// are members of their sprite at a fixed place, which the compilers this
// project supports give by offsetof also for classes with virtual functions.
template <typename Owner>
Owner* OwnerOfField(void* Field, size_t Offset) {
  return reinterpret_cast<Owner*>(static_cast<char*>(Field) - Offset);
}

template <typename T, typename Tag>
class TWatchedField {
 public:
  TWatchedField() = default;
  TWatchedField(const TWatchedField&) = delete;
  TWatchedField& operator=(const TWatchedField& Other) { return *this = Other.value_; }
  TWatchedField& operator=(T Value) {
    value_ = Value;
    Tag::Written(this);
    return *this;
  }

  operator T() const { return value_; }
  T Get() const { return value_; }

  TWatchedField& operator+=(T Delta) { return *this = static_cast<T>(value_ + Delta); }
  TWatchedField& operator-=(T Delta) { return *this = static_cast<T>(value_ - Delta); }
  TWatchedField& operator*=(T Factor) { return *this = static_cast<T>(value_ * Factor); }
  TWatchedField& operator/=(T Divisor) { return *this = static_cast<T>(value_ / Divisor); }

  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  TWatchedField& operator++() {
    return *this = static_cast<T>(value_ + 1);
  }
  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  TWatchedField& operator--() {
    return *this = static_cast<T>(value_ - 1);
  }
  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  T operator++(int) {
    const T old = value_;
    *this = static_cast<T>(value_ + 1);
    return old;
  }
  template <typename U = T, typename = std::enable_if_t<std::is_integral_v<U> && !std::is_same_v<U, bool>>>
  T operator--(int) {
    const T old = value_;
    *this = static_cast<T>(value_ - 1);
    return old;
  }

 private:
  T value_{};
};

}  // namespace kestrilo
