// Feeds arbitrary bytes to the .bmp file decoder. The only acceptable outcomes
// are an image of the size the header gave or "Bitmap image is not valid";
// anything else (another exception, a crash, a sanitizer report) is a fault.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "library/BitmapCodec.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const QImage image = kestrilo::DecodeBitmap(std::string_view(reinterpret_cast<const char*>(data), size));
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) std::abort();
  } catch (const kestrilo::EInvalidGraphic& e) {
    if (std::strcmp(e.what(), kestrilo::kBitmapNotValid) != 0) std::abort();
  }
  return 0;
}
