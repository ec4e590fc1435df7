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
#include "platform/DialogService.h"
#include "platform/Errors.h"

namespace kestrilo::sample {

namespace {

// The writers ask before replacing a file; the generator always replaces.
class TReplaceAnswers : public TDialogService {
 public:
  TModalResult MessageBox(const std::string&, const std::string&, TMsgButtons, TModalResult) override {
    return TModalResult::mrYes;
  }
  void ShowMessage(const std::string& text) override { throw EKestriloError(text); }
  std::optional<std::string> OpenFile(const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> SaveFile(const TFileDialogRequest&) override { return std::nullopt; }
  std::optional<uint32_t> ChooseColor(uint32_t) override { return std::nullopt; }
};

std::string Join(const std::string& dir, const std::string& name) {
  return QDir(QString::fromStdString(dir)).filePath(QString::fromStdString(name)).toStdString();
}

}  // namespace

const std::vector<std::string>& SampleDataFiles() {
  static const std::vector<std::string> files = {kObjectsFileName, "test.dxg", kMonstersFileName, kPortalGraphicsFileName, "matrix1.mtf",
                                                 "matrix1mtb"};
  return files;
}

void WriteSampleData(const std::string& dataDir) {
  if (!QDir().mkpath(QString::fromStdString(dataDir))) throw EFCreateError(CannotCreateMessage(dataDir));
  TReplaceAnswers answers;

  TPictureCollection objectPictures;
  TObjectDataBase library(&objectPictures);
  FillSampleLibrary(library);
  library.SaveToFile(Join(dataDir, kObjectsFileName), answers);

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
