#include "library/ReadAllowance.h"

#include "platform/BinaryIO.h"

namespace kestrilo {

void TReadAllowance::Take(uint64_t bytes) {
  if (bytes > left_) TByteReader::Fail();
  left_ -= bytes;
}

}  // namespace kestrilo
