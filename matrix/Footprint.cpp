#include "matrix/Footprint.h"

#include <exception>

#include "library/ObjectDataBase.h"

namespace kestrilo {

TFootprintSize FootprintOfNumber(const TObjectDataBase& Library, int32_t Number) {
  try {
    const TObjectDataBase::TFrameSize size = Library.FrameSizeOfNumber(Number);
    return FootprintOfFrame(size.Width, size.Height);
  } catch (const std::exception&) {
    return {};
  }
}

}  // namespace kestrilo
