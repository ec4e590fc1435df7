#include "LevelFiles.h"

#include "platform/Errors.h"

namespace kestrilo::tool {

std::unique_ptr<TMatrix> ReadLevel(const std::string& path) {
  // Both files are checked before either is read.
  auto matrix = std::make_unique<TMatrix>();
  if (const TLoadOutcome read = matrix->LoadFromFile(path, nullptr, nullptr); !read) throw EFOpenError(read.Message);
  return matrix;
}

TDataLibrary::TDataLibrary(const std::string& dataFolder) {
  if (const TLoadOutcome read = Library.LoadFromFile(dataFolder + "/test.obj"); !read) throw EFOpenError(read.Message);
}

void WritePlace(TJsonWriter& json, int32_t plane, int32_t column, int32_t row) {
  json.BeginObject();
  json.Key("plane").Number(plane);
  json.Key("column").Number(column);
  json.Key("row").Number(row);
  json.EndObject();
}

}  // namespace kestrilo::tool
