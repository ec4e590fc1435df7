// Every kind of failed load, run through the editor's own commands, shows a
// message that keeps the system's text, names the file (its control
// characters and stray bytes escaped) and says what was wrong: byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "EditorTestSupport.h"
#include "editor/ReplayScript.h"
#include "matrix/MatrixFile.h"
#include "platform/BinaryIO.h"

namespace kestrilo::editortest {
namespace {

std::string Reason(int error) { return std::strerror(error); }

enum class TCommand { OpenObjects, LoadLevel, AddObject, ReadReplay };

struct TLoadFailure {
  const char* Case;
  TCommand Command;
  // Lays out the files and returns the path the command is given (for the
  // objects file, which the command finds itself, the path it will read).
  std::function<std::string(TEditorFixture&)> Prepare;
  // The message, from the fixture and the path Prepare returned.
  std::function<std::string(TEditorFixture&, const std::string&)> Expected;
};

// A file of the scratch folder, its name taken byte for byte (f.Path goes
// through QString, which would replace a stray byte).
std::string Raw(TEditorFixture& f, const std::string& name) { return f.Dir.path().toStdString() + "/" + name; }

std::string Level(TEditorFixture& f, const std::string& name, size_t cellBytes) {
  const std::string path = Raw(f, name);
  WriteFile(path, std::string(cellBytes, '\0'));
  return path;
}

std::string Graphics(TEditorFixture& f) { return f.Path("Data/test.dxg"); }

std::string SampleDataWithGraphics(TEditorFixture& f, const std::function<std::string(std::string)>& change) {
  f.WriteSampleData();
  const std::string graphics = ReadWholeFile(Graphics(f));
  WriteFile(Graphics(f), change(graphics));
  return Graphics(f);
}

size_t SampleGraphicsSize() {
  TEditorFixture sample;
  sample.WriteSampleData();
  return ReadWholeFile(Graphics(sample)).size();
}

const size_t kCells = TMatrixFile::kMatrixFileSize;
const size_t kPlanes = TMatrixFile::kBackPlaneFileSize;

const std::vector<TLoadFailure>& Failures() {
  static const std::vector<TLoadFailure> failures = {
      // ---- the level pair
      {"missing level", TCommand::LoadLevel, [](TEditorFixture& f) { return f.Path("none.mtf"); },
       [](TEditorFixture&, const std::string& p) { return "Нет файла с таким именем! " + p; }},
      {"folder in the level's place", TCommand::LoadLevel,
       [](TEditorFixture& f) {
         QDir(QString::fromStdString(f.Path(""))).mkdir("folder.mtf");
         return f.Path("folder.mtf");
       },
       [](TEditorFixture&, const std::string& p) { return "Нет файла с таким именем! " + p + ": " + Reason(EISDIR); }},
      {"truncated level", TCommand::LoadLevel, [](TEditorFixture& f) { return Level(f, "cut.mtf", 1000); },
       [](TEditorFixture&, const std::string& p) {
         return "Stream read error: " + p + ": truncated: 1000 of 360000 bytes";
       }},
      {"missing back-plane file", TCommand::LoadLevel, [](TEditorFixture& f) { return Level(f, "half.mtf", kCells); },
       [](TEditorFixture& f, const std::string&) {
         return "Cannot open file " + f.Path("halfmtb") + ": " + Reason(ENOENT);
       }},
      {"folder in the back-plane file's place", TCommand::LoadLevel,
       [](TEditorFixture& f) {
         QDir(QString::fromStdString(f.Path(""))).mkdir("dirmtb");
         return Level(f, "dir.mtf", kCells);
       },
       [](TEditorFixture& f, const std::string&) {
         return "Cannot open file " + f.Path("dirmtb") + ": " + Reason(EISDIR);
       }},
      {"truncated back-plane file", TCommand::LoadLevel,
       [](TEditorFixture& f) {
         WriteFile(f.Path("shortmtb"), std::string(10, '\0'));
         return Level(f, "short.mtf", kCells);
       },
       [](TEditorFixture& f, const std::string&) {
         return "Stream read error: " + f.Path("shortmtb") + ": truncated: 10 of " + std::to_string(kPlanes) + " bytes";
       }},
      {"pipe with no writer in the back-plane file's place", TCommand::LoadLevel,
       [](TEditorFixture& f) {
         ::mkfifo(f.Path("pipemtb").c_str(), 0600);
         return Level(f, "pipe.mtf", kCells);
       },
       [](TEditorFixture& f, const std::string&) {
         return "Stream read error: " + f.Path("pipemtb") + ": truncated: 0 of " + std::to_string(kPlanes) + " bytes";
       }},
      {"control characters and a stray byte in a level's name", TCommand::LoadLevel,
       [](TEditorFixture& f) { return Raw(f, "bad\nname\x1b[31m\xff\xc2\x9b.mtf"); },
       [](TEditorFixture& f, const std::string&) {
         return "Нет файла с таким именем! " + Raw(f, "bad\\x0aname\\x1b[31m\\xff\\u009b.mtf");
       }},
      {"control characters in a back-plane file's name", TCommand::LoadLevel,
       [](TEditorFixture& f) { return Level(f, "tab\there.mtf", kCells); },
       [](TEditorFixture& f, const std::string&) {
         return "Cannot open file " + Raw(f, "tab\\x09heremtb") + ": " + Reason(ENOENT);
       }},
      // ---- the objects file and its graphics file
      {"missing objects file", TCommand::OpenObjects, [](TEditorFixture& f) { return f.Path("Data/test.obj"); },
       [](TEditorFixture&, const std::string& p) { return "Файл не существует! " + p; }},
      {"folder in the objects file's place", TCommand::OpenObjects,
       [](TEditorFixture& f) {
         QDir(QString::fromStdString(f.Path("Data"))).mkdir("test.obj");
         return f.Path("Data/test.obj");
       },
       [](TEditorFixture&, const std::string& p) { return "Файл не существует! " + p + ": " + Reason(EISDIR); }},
      {"missing graphics file", TCommand::OpenObjects,
       [](TEditorFixture& f) {
         f.WriteSampleData();
         QFile::remove(QString::fromStdString(Graphics(f)));
         return Graphics(f);
       },
       [](TEditorFixture&, const std::string& p) { return "Cannot open file " + p + ": " + Reason(ENOENT); }},
      {"no graphics file at all", TCommand::OpenObjects,
       [](TEditorFixture& f) { return SampleDataWithGraphics(f, [](std::string) { return "a text, no pictures"; }); },
       [](TEditorFixture&, const std::string& p) { return "Invalid stream format: " + p + ": not a graphics file"; }},
      {"empty graphics file", TCommand::OpenObjects,
       [](TEditorFixture& f) { return SampleDataWithGraphics(f, [](std::string) { return std::string(); }); },
       [](TEditorFixture&, const std::string& p) { return "Stream read error: " + p + ": empty file"; }},
      {"graphics file cut within its header", TCommand::OpenObjects,
       [](TEditorFixture& f) {
         return SampleDataWithGraphics(f, [](std::string bytes) { return bytes.substr(0, 12); });
       },
       [](TEditorFixture&, const std::string& p) { return "Stream read error: " + p + ": truncated in its header"; }},
      {"truncated graphics file", TCommand::OpenObjects,
       [](TEditorFixture& f) {
         return SampleDataWithGraphics(f, [](std::string bytes) { return bytes.substr(0, bytes.size() / 2); });
       },
       [](TEditorFixture&, const std::string& p) {
         const size_t size = SampleGraphicsSize();
         return "Stream read error: " + p + ": " + TruncatedReason(size / 2, size);
       }},
      {"damaged graphics file", TCommand::OpenObjects,
       [](TEditorFixture& f) {
         // The end of the component's children is no end.
         return SampleDataWithGraphics(f, [](std::string bytes) { return bytes.substr(0, bytes.size() - 1) + "\x01"; });
       },
       [](TEditorFixture&, const std::string& p) {
         return "Invalid stream format: " + p + ": damaged at byte " + std::to_string(SampleGraphicsSize() - 1);
       }},
      // ---- a picture for a new object, and a replay
      {"picture that is no bitmap", TCommand::AddObject,
       [](TEditorFixture& f) {
         WriteFile(Raw(f, "text\r.bmp"), "no bitmap");
         return Raw(f, "text\r.bmp");
       },
       [](TEditorFixture& f, const std::string&) { return "Bitmap image is not valid: " + Raw(f, "text\\x0d.bmp"); }},
      {"replay under a plain file", TCommand::ReadReplay,
       [](TEditorFixture& f) {
         WriteFile(f.Path("plain"), "x");
         return f.Path("plain/play.replay");
       },
       [](TEditorFixture&, const std::string& p) { return "Cannot open file " + p + ": " + Reason(ENOTDIR); }},
      {"replay name too long", TCommand::ReadReplay, [](TEditorFixture& f) { return f.Path(std::string(300, 'a')); },
       [](TEditorFixture&, const std::string& p) { return "Cannot open file " + p + ": " + Reason(ENAMETOOLONG); }},
  };
  return failures;
}

// Runs the command on `path` and returns the first message it showed or raised
// (an objects file that is not there leaves the player's picture missing too).
std::string FirstMessageOf(TEditorFixture& f, TCommand command, const std::string& path) {
  const size_t before = f.Dialogs.Messages().size();
  switch (command) {
    case TCommand::OpenObjects: f.OpenObjects(); break;
    case TCommand::LoadLevel: f.Editor.Files().LoadLevelFrom(path); break;
    case TCommand::AddObject:
      f.NewObject.Entry.PictureFileName = path;
      f.Editor.AddObject();
      break;
    case TCommand::ReadReplay: try { TReplayScript::LoadFromFile(path);
      } catch (const EKestriloError& error) {
        return error.what();
      }
      return "no message";
  }
  const std::vector<std::string> shown = f.Dialogs.Messages();
  return shown.size() > before ? shown[before] : "no message";
}

TEST(LoadMessages, EveryFailedLoadNamesTheFileAndWhatWasWrong) {
  for (const TLoadFailure& failure : Failures()) {
    SCOPED_TRACE(failure.Case);
    TEditorFixture f;
    if (failure.Command == TCommand::LoadLevel || failure.Command == TCommand::AddObject) {
      f.WriteSampleData();
      f.OpenObjects();
      ASSERT_TRUE(f.Dialogs.Messages().empty()) << f.Dialogs.Messages()[0];
    }
    const std::string path = failure.Prepare(f);
    EXPECT_EQ(FirstMessageOf(f, failure.Command, path), failure.Expected(f, path));
  }
}

}  // namespace
}  // namespace kestrilo::editortest
