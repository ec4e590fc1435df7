// A picture of the demo level in the editor's main window, made headless by
// the editor itself: the help screen's steps (open the objects file, load
// the level, grid off, preview on), the player made visible and walked a
// little, then the window grabbed. Used for the README's screenshot.
#pragma once

#include <QImage>
#include <string>

namespace kestrilo::sample {

// `executableDir` (with its trailing separator) holds the sample in Data/.
// Needs a QApplication.
QImage RenderEditorScreenshot(const std::string& executableDir);

}  // namespace kestrilo::sample
