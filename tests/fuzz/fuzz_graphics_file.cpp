// libFuzzer target for the graphics file reader. Acceptable outcomes: the
// file loads, or it is refused with one of the system's errors
// (EKestriloError: "Stream read error", "Invalid stream format", "Error
// reading ...", "Invalid property value", a picture decoder's refusal).
// Anything else - another exception, a crash, a sanitizer report - is a fault.
//
// The collection is bound to a display, so a successful load also cuts every
// picture into frames and draws each frame once. A file that loads must also
// survive a save and a second load unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <QtGlobal>

#include "library/PictureCollection.h"
#include "platform/Display.h"
#include "platform/Errors.h"

namespace {

class TFuzzDisplay : public kestrilo::TDisplay {
 public:
  bool Initialized() const override { return true; }
};

void DrawEveryFrame(const kestrilo::TPictureCollection& pictures) {
  kestrilo::TSurface target(64, 64);
  for (int32_t i = 0; i < pictures.Count(); ++i) {
    const kestrilo::TPictureCollectionItem& item = *pictures.Items(i);
    // Enough frames to reach every surface, not so many that a 1-pixel grid stalls the run.
    const int32_t frames = item.PatternCount();
    const int32_t step = frames > 4096 ? frames / 4096 : 1;
    for (int32_t k = -1; k <= frames; k += step) item.Draw(target, -3, -3, k);
  }
}

}  // namespace

// The image reader warns about every damaged icon; the noise only slows the run.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TFuzzDisplay display;
  kestrilo::TPictureCollection pictures;
  pictures.Initialize(&display);
  try {
    pictures.LoadFromBytes(bytes);
  } catch (const kestrilo::EKestriloError&) {
    return 0;
  }
  DrawEveryFrame(pictures);

  const std::string saved = pictures.SaveToBytes();
  kestrilo::TPictureCollection reloaded;
  try {
    reloaded.LoadFromBytes(saved);
  } catch (const kestrilo::EKestriloError&) {
    std::abort();  // what the writer wrote must read back
  }
  if (reloaded.SaveToBytes() != saved || reloaded.Count() != pictures.Count()) std::abort();
  return 0;
}
