// What the command layer needs of the two helper windows, so that the same
// commands run with the real windows, with test doubles and headless.
#pragma once

#include <cstdint>
#include <string>

#include "library/NewObjectBuilder.h"

namespace kestrilo {

class TProgressBar;

// The new-object dialog.
class TNewObjectSource {
 public:
  virtual ~TNewObjectSource() = default;
  // Shows the dialog modally with the number the entry will get.
  virtual void ShowModal(int32_t Number) = 0;
  // Reads the dialog's fields (however it was closed). Throws the conversion
  // error of a bad animation speed; then nothing may be added.
  virtual TNewObject Build(int32_t Number) = 0;
};

// The level-loading window with its two progress bars.
class TLoadingWindowPort {
 public:
  virtual ~TLoadingWindowPort() = default;
  // Shows the window (not modally) and paints it at once.
  virtual void ShowAndPaint() = 0;
  virtual void Close() = 0;
  virtual TProgressBar* MainBar() = 0;
  virtual TProgressBar* PlanesBar() = 0;
};

}  // namespace kestrilo
