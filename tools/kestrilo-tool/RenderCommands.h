// kestrilo-tool level render: a picture of a level as the editor builds it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// level render FILE.mtf --data DIR --out FILE.png [--view COLUMN ROW] [--ticks N]
int LevelRender(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
