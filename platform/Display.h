// What bound components need of a display: whether it is initialised. The
// drawing area implements it; tests use a display of their own.
#pragma once

namespace kestrilo {

class TDisplay {
 public:
  virtual ~TDisplay() = default;
  virtual bool Initialized() const = 0;
};

}  // namespace kestrilo
