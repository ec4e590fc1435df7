#include "BitmapWriter.h"

#include "library/BitmapCodec.h"

namespace kestrilo::sample {

// The library's own encoder: the editor takes these files as it takes any
// bitmap a designer adds.
std::string EncodeBitmap24(const QImage& image) { return kestrilo::EncodeBitmap24(image); }

}  // namespace kestrilo::sample
