#include "ObjectsCommands.h"

#include <cmath>

#include "ToolSupport.h"
#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "platform/BinaryIO.h"

namespace kestrilo::tool {
namespace {

void JsonDouble(TJsonWriter& json, double value) {
  // JSON has no spelling for infinities and NaN; a damaged file may still hold them.
  if (std::isfinite(value))
    json.Double(value);
  else
    json.String(FormatDouble(value));
}

void PrintObjectsAsJson(const std::vector<TObjectRecord>& records, std::ostream& out) {
  TJsonWriter json;
  json.BeginArray();
  for (size_t i = 0; i < records.size(); ++i) {
    const TObjectRecord& r = records[i];
    json.BeginObject();
    json.Key("index").Number(static_cast<int64_t>(i));
    json.Key("type").Number(r.ObjType);
    json.Key("number").Number(r.Number);
    json.Key("name").String(ToShownName(r.Name));
    json.Key("liftHeight").Number(r.LiftHeight);
    json.Key("keyCode").Number(r.KeyCode);
    json.Key("health").Number(r.Health);
    json.Key("constantEffect").Boolean(r.ConstantEffect);
    json.Key("weaponValue").Number(r.WeaponValue);
    json.Key("animated").Boolean(r.Animated);
    json.Key("animSpeed");
    JsonDouble(json, r.AnimSpeed);
    json.EndObject();
  }
  json.EndArray();
  out << json.Text() << "\n";
}

void PrintObjectsAsText(const std::vector<TObjectRecord>& records, std::ostream& out) {
  for (size_t i = 0; i < records.size(); ++i) {
    const TObjectRecord& r = records[i];
    out << i << "\ttype " << int(r.ObjType) << "\tnumber " << r.Number << "\t\"" << ListedName(r.Name)
        << "\"\tliftHeight " << int(r.LiftHeight) << "\tkeyCode " << int(r.KeyCode) << "\thealth " << int(r.Health)
        << "\tconstantEffect " << r.ConstantEffect << "\tweaponValue " << int(r.WeaponValue) << "\tanimated "
        << r.Animated << "\tanimSpeed " << FormatDouble(r.AnimSpeed) << "\n";
  }
}

void PrintMonstersAsJson(const std::vector<TMonsterRecord>& records, std::ostream& out) {
  TJsonWriter json;
  json.BeginArray();
  for (size_t i = 0; i < records.size(); ++i) {
    const TMonsterRecord& r = records[i];
    json.BeginObject();
    json.Key("index").Number(static_cast<int64_t>(i));
    json.Key("name").String(ToShownName(r.Name));
    json.Key("canJump").Boolean(r.CanJump);
    json.Key("moveMode").Number(r.MoveMode);
    json.Key("wakeByDistance").Boolean(r.WakeByDistance);
    json.Key("wakeDistance").Number(r.WakeDistance);
    json.Key("hunter").Boolean(r.Hunter);
    json.Key("healthMin").Number(r.HealthMin);
    json.Key("healthMax").Number(r.HealthMax);
    json.Key("damageMin").Number(r.DamageMin);
    json.Key("damageMax").Number(r.DamageMax);
    json.Key("shotDelay").Number(r.ShotDelay);
    json.Key("walkSpeed").Number(r.WalkSpeed);
    json.Key("shotPicture").String(ToShownName(r.ShotPicture));
    json.Key("animSpeed");
    JsonDouble(json, r.AnimSpeed);
    json.Key("frameRanges").BeginArray();
    for (const TMonsterFrameRange& range : r.FrameRanges) {
      json.BeginArray().Number(range.First).Number(range.Last).EndArray();
    }
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  out << json.Text() << "\n";
}

void PrintMonstersAsText(const std::vector<TMonsterRecord>& records, std::ostream& out) {
  for (size_t i = 0; i < records.size(); ++i) {
    const TMonsterRecord& r = records[i];
    out << i << "\t\"" << ListedName(r.Name) << "\"\tcanJump " << r.CanJump << "\tmoveMode " << int(r.MoveMode)
        << "\twakeByDistance " << r.WakeByDistance << "\twakeDistance " << r.WakeDistance << "\thunter " << r.Hunter
        << "\thealth " << r.HealthMin << ".." << r.HealthMax << "\tdamage " << r.DamageMin << ".." << r.DamageMax
        << "\tshotDelay " << r.ShotDelay << "\twalkSpeed " << r.WalkSpeed << "\tshotPicture \""
        << ListedName(r.ShotPicture) << "\"\tanimSpeed " << FormatDouble(r.AnimSpeed) << "\tframes";
    for (const TMonsterFrameRange& range : r.FrameRanges) out << " " << range.First << "-" << range.Last;
    out << "\n";
  }
}

}  // namespace

int ObjectsList(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"json", 0}});
  arguments.ExpectPositional(1);
  const std::vector<TObjectRecord> records =
      TObjectDataBase::RecordsFromBytes(ReadWholeFile(arguments.Positional(0, "FILE.obj")));
  if (arguments.Has("json"))
    PrintObjectsAsJson(records, out);
  else
    PrintObjectsAsText(records, out);
  return 0;
}

int MonstersList(const std::vector<std::string>& args, std::ostream& out) {
  const TArguments arguments(args, {{"json", 0}});
  arguments.ExpectPositional(1);
  // Unlike the editor, the tool reports a missing monster file: it was asked for one.
  const std::vector<TMonsterRecord> records =
      TMonstersDataBase::RecordsFromBytes(ReadWholeFile(arguments.Positional(0, "FILE.mon")));
  if (arguments.Has("json"))
    PrintMonstersAsJson(records, out);
  else
    PrintMonstersAsText(records, out);
  return 0;
}

}  // namespace kestrilo::tool
