// Writes the whole sample into a Data folder: the object library (test.obj
// with test.dxg), the monster file (1.mon), the portal's pictures
// (DinObj.dxg) and the demo level (matrix1.mtf with matrix1mtb). Files that
// are there already are replaced. The same bytes come out of every run.
#pragma once

#include <string>
#include <vector>

namespace kestrilo::sample {

// The names of the files written, in the order they are written.
const std::vector<std::string>& SampleDataFiles();

void WriteSampleData(const std::string& dataDir);

}  // namespace kestrilo::sample
