#include "PicturesCommands.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <optional>

#include "PngFile.h"
#include "ToolSupport.h"
#include "library/PictureCollection.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo::tool {
namespace {

void PrintItemsAsJson(const TPictureCollection& pictures, std::ostream& out) {
  TJsonWriter json;
  json.BeginArray();
  for (int32_t i = 0; i < pictures.Count(); ++i) {
    const TPictureCollectionItem& item = *pictures.Items(i);
    json.BeginObject();
    json.Key("index").Number(i);
    json.Key("name").String(ToShownName(item.Name()));
    json.Key("kind").String(item.Picture.Kind());
    json.Key("width").Number(item.Picture.Width());
    json.Key("height").Number(item.Picture.Height());
    json.Key("patternWidth").Number(item.PatternWidth);
    json.Key("patternHeight").Number(item.PatternHeight);
    json.Key("skipWidth").Number(item.SkipWidth);
    json.Key("skipHeight").Number(item.SkipHeight);
    json.Key("frames").Number(item.PatternCount());
    json.Key("systemMemory").Boolean(item.SystemMemory);
    json.Key("transparent").Boolean(item.Transparent);
    json.Key("transparentColor").String(FormatColor(item.TransparentColor()));
    json.EndObject();
  }
  json.EndArray();
  out << json.Text() << "\n";
}

void PrintItemsAsText(const TPictureCollection& pictures, std::ostream& out) {
  for (int32_t i = 0; i < pictures.Count(); ++i) {
    const TPictureCollectionItem& item = *pictures.Items(i);
    out << i << "\t\"" << ListedName(item.Name()) << "\"\t" << (item.Picture.HasGraphic() ? item.Picture.Kind() : "-")
        << "\t" << item.Picture.Width() << "x" << item.Picture.Height() << "\tpattern " << item.PatternWidth << "x"
        << item.PatternHeight << "\tskip " << item.SkipWidth << "x" << item.SkipHeight << "\tframes "
        << item.PatternCount() << "\tsystemMemory " << item.SystemMemory << "\ttransparent " << item.Transparent
        << "\tkey " << FormatColor(item.TransparentColor()) << "\n";
  }
}

}  // namespace

int PicturesList(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"json", 0}});
  arguments.ExpectPositional(1);
  TPictureCollection pictures;
  pictures.LoadFromFile(arguments.Positional(0, "FILE.dxg"));
  if (arguments.Has("json"))
    PrintItemsAsJson(pictures, out);
  else
    PrintItemsAsText(pictures, out);
  return 0;
}

int PicturesAdd(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(
      args, {{"name", 1}, {"pattern", 2}, {"skip", 2}, {"transparent", 1}, {"key", 1}, {"system-memory", 1}});
  arguments.ExpectPositional(2);
  const std::string& graphicsFile = arguments.Positional(0, "FILE.dxg");
  const std::string& pictureFile = arguments.Positional(1, "PICTURE");

  // Everything is checked before the file is touched.
  const std::string name = ToStoredName(arguments.Value("name"));
  TPicture picture;
  const std::optional<uint32_t> alphaKey = picture.LoadFromFile(pictureFile);

  TPictureCollection pictures;
  if (FileExists(graphicsFile)) pictures.LoadFromFile(graphicsFile);
  TPictureCollectionItem* item = pictures.Add();
  item->SetName(name);
  item->Picture = picture;
  if (arguments.Has("pattern")) {
    item->PatternWidth = arguments.Integer("pattern", 0);
    item->PatternHeight = arguments.Integer("pattern", 1);
  }
  if (arguments.Has("skip")) {
    item->SkipWidth = arguments.Integer("skip", 0);
    item->SkipHeight = arguments.Integer("skip", 1);
  }
  // A picture with an alpha channel comes with the key its transparent
  // pixels took; options given outright still have the last word.
  if (alphaKey) {
    item->Transparent = true;
    item->SetTransparentColor(*alphaKey);
  }
  if (arguments.Has("transparent")) item->Transparent = arguments.Boolean01("transparent");
  if (arguments.Has("system-memory")) item->SystemMemory = arguments.Boolean01("system-memory");
  if (arguments.Has("key")) item->SetTransparentColor(ParseColor(arguments.Value("key")));
  pictures.SaveToFile(graphicsFile);
  out << item->Index() << "\t\"" << ListedName(item->Name()) << "\"\t" << item->PatternCount() << " frames\n";
  return 0;
}

int PicturesExtract(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {});
  arguments.ExpectPositional(2);
  TPictureCollection pictures;
  pictures.LoadFromFile(arguments.Positional(0, "FILE.dxg"));
  const QString folder = QString::fromStdString(arguments.Positional(1, "DIR"));
  if (!QDir().mkpath(folder)) throw EFCreateError(CannotCreateMessage(folder.toStdString()));
  for (int32_t i = 0; i < pictures.Count(); ++i) {
    const TPicture& picture = pictures.Items(i)->Picture;
    if (picture.Empty()) {
      out << i << "\tno drawable picture, skipped\n";
      continue;
    }
    const std::string path = QDir(folder).filePath(QString::number(i) + ".png").toStdString();
    // The picture as held: 32 bits, the colour key not applied.
    SavePng(picture.Image().convertToFormat(QImage::Format_ARGB32), path);
    out << i << "\t" << path << "\n";
  }
  return 0;
}

}  // namespace kestrilo::tool
