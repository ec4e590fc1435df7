// kestrilo-tool play: a level played headless through the editor's own
// commands and frame step, with the keyboard replaced by a replay file.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// play LEVEL.mtf --data DIR [--seed N] [--ticks N] [--input FILE] [--preview 0|1]
//      [--gravity 0|1] [--visible 0|1] [--grid 0|1] [--state FILE.json] [--frames DIR --every K]
int Play(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
