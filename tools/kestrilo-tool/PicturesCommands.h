// kestrilo-tool pictures list | add | extract: graphics files from the command line.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kestrilo::tool {

// pictures list FILE.dxg [--json]
int PicturesList(const std::vector<std::string>& args, std::ostream& out);
// pictures add FILE.dxg PICTURE --name NAME [--pattern W H] [--skip W H]
//   [--transparent 0|1] [--key VALUE] [--system-memory 0|1]
int PicturesAdd(const std::vector<std::string>& args, std::ostream& out);
// pictures extract FILE.dxg DIR
int PicturesExtract(const std::vector<std::string>& args, std::ostream& out);

}  // namespace kestrilo::tool
