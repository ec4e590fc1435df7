// How the level commands read a level and its object library: exactly as the
// editor reads them, a failure being the command's error.
#pragma once

#include <memory>
#include <string>

#include "ToolSupport.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"

namespace kestrilo::tool {

std::unique_ptr<TMatrix> ReadLevel(const std::string& path);

// The object library of a data folder (its test.obj and graphics file).
struct TDataLibrary {
  explicit TDataLibrary(const std::string& dataFolder);
  TPictureCollection Pictures;
  TObjectDataBase Library{&Pictures};
};

// A place of the level as JSON: {"plane":P,"column":C,"row":R}.
void WritePlace(TJsonWriter& json, int32_t plane, int32_t column, int32_t row);

}  // namespace kestrilo::tool
