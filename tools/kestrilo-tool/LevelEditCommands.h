// kestrilo-tool level find | replace | set: placed objects found and changed
// without a window. A change is worked out on a copy of the level and saved
// as the editor saves a level (both files as one atomic pair); a refusal
// writes nothing.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// level find LEVEL.mtf --data DIR --name NAME [--json]
int LevelFind(const std::vector<std::string>& args, std::ostream& out);
// level replace LEVEL.mtf --data DIR --from NAME --to NAME [--plane P] [--region C0 R0 C1 R1] [--out OUT.mtf]
int LevelReplace(const std::vector<std::string>& args, std::ostream& out);
// level set LEVEL.mtf --data DIR --cell COLUMN ROW [--plane P] (--lift-height H | --key-code K)
int LevelSet(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
