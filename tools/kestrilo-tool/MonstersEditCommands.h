// kestrilo-tool monsters add | monsters set: scripted changes of the monster
// file, with the field names `monsters list --json` prints.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// monsters add FILE.mon --name NAME [--FIELD VALUE ...]
int MonstersAdd(const std::vector<std::string>& args, std::ostream& out);
// monsters set FILE.mon NAME --FIELD VALUE ...
int MonstersSet(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
