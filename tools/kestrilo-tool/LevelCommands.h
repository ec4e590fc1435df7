// kestrilo-tool level info: what a level's matrix file and back-plane file hold.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// level info FILE.mtf [--json]
int LevelInfo(const std::vector<std::string>& args, std::ostream& out);
// level check LEVEL.mtf --data DIR [--json]: what the level uses that its
// library lacks, and other things a designer must know; status 1 when anything is found.
int LevelCheck(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
