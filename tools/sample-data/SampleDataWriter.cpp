#include "SampleDataWriter.h"

#include <QDir>

#include "DemoLevel.h"
#include "SampleLibrary.h"
#include "SampleMonsters.h"
#include "library/DataFileNames.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo::sample {

namespace {

std::string Join(const std::string& dir, const std::string& name) {
  return QDir(QString::fromStdString(dir)).filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace

const std::vector<std::string>& SampleDataFiles() {
  static const std::vector<std::string> files = {kObjectsFileName,        "test.dxg",    kMonstersFileName,
                                                 kPortalGraphicsFileName, "matrix1.mtf", "matrix1mtb"};
  return files;
}

void WriteSampleData(const std::string& dataDir) {
  if (!QDir().mkpath(QString::fromStdString(dataDir))) throw EFCreateError(CannotCreateMessage(dataDir));
  TPictureCollection objectPictures;
  TObjectDataBase library(&objectPictures);
  FillSampleLibrary(library);
  library.SaveToFile(Join(dataDir, kObjectsFileName));

  TByteWriter monsters;
  for (const TMonsterRecord& record : SampleMonsterRecords()) record.WriteTo(monsters);
  WriteFileAtomic(Join(dataDir, kMonstersFileName), monsters.Data());

  TPictureCollection dynamicPictures;
  FillDynamicPictures(dynamicPictures);
  dynamicPictures.SaveToFile(Join(dataDir, kPortalGraphicsFileName));

  const auto level = BuildDemoLevel(library);
  level->SaveToFile(Join(dataDir, "matrix1.mtf"));
}

}  // namespace kestrilo::sample
