// kestrilo-tool objects list | monsters list: the object library's records
// and the monster file from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// objects list FILE.obj [--json]
int ObjectsList(const std::vector<std::string>& args, std::ostream& out);
// monsters list FILE.mon [--json]
int MonstersList(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
