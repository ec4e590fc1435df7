// Start-up order of the editor: the four windows in order, then the message loop.
#pragma once

namespace kestrilo {
int RunApplication(int argc, char** argv);
}
