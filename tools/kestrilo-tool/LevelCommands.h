// kestrilo-tool level info: what a level's matrix file and back-plane file hold.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// level info FILE.mtf [--json]
int LevelInfo(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
