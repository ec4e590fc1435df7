#include "PlayCommands.h"

#include <QDir>

#include <array>
#include <charconv>
#include <iostream>
#include <optional>
#include <set>

#include "PngFile.h"
#include "ToolSupport.h"
#include "editor/HeadlessEditor.h"
#include "editor/ReplayScript.h"
#include "matrix/Matrix.h"
#include "platform/AtomicFileSet.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"
#include "sprites/DXSpriteEngine.h"
#include "world/Door.h"
#include "world/Lift.h"
#include "world/Monster.h"
#include "world/PlayerSprite.h"

namespace kestrilo::tool {

namespace {

struct TPlayOptions {
  std::string Level;
  std::string DataFolder;
  uint32_t Seed = 1;
  int32_t Ticks = 1000;
  std::optional<std::string> Input;
  bool Preview = true;
  bool Gravity = true;
  bool PlayerVisible = true;                         // the frames show the player (the editor starts with it hidden)
  bool Grid = true;                                  // the editor starts with the grid on
  std::optional<std::pair<int32_t, int32_t>> Start;  // test from here at this cell
  std::optional<std::string> StatePath;
  std::optional<std::string> FramesFolder;
  int32_t Every = 1;
};

// Any 32-bit state; a negative number stands for its two's complement.
uint32_t ParseSeed(const std::string& text) {
  uint32_t seed = 0;
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), seed);
  if (!text.empty() && parsed.ec == std::errc() && parsed.ptr == text.data() + text.size()) return seed;
  return static_cast<uint32_t>(ParseInteger(text));
}

TPlayOptions ReadOptions(const std::vector<std::string>& args) {
  const TArguments arguments(args, {{"data", 1},
                                    {"seed", 1},
                                    {"ticks", 1},
                                    {"input", 1},
                                    {"preview", 1},
                                    {"gravity", 1},
                                    {"visible", 1},
                                    {"grid", 1},
                                    {"state", 1},
                                    {"frames", 1},
                                    {"every", 1},
                                    {"start", 2}});
  arguments.ExpectPositional(1);
  TPlayOptions options;
  options.Level = arguments.Positional(0, "LEVEL");
  options.DataFolder = arguments.Value("data");
  if (arguments.Has("seed")) options.Seed = ParseSeed(arguments.Value("seed"));
  if (arguments.Has("ticks")) options.Ticks = arguments.Integer("ticks");
  if (options.Ticks < 0) throw EConvertError("--ticks must not be negative");
  if (arguments.Has("input")) options.Input = arguments.Value("input");
  if (arguments.Has("preview")) options.Preview = arguments.Boolean01("preview");
  if (arguments.Has("gravity")) options.Gravity = arguments.Boolean01("gravity");
  if (arguments.Has("visible")) options.PlayerVisible = arguments.Boolean01("visible");
  if (arguments.Has("grid")) options.Grid = arguments.Boolean01("grid");
  if (arguments.Has("start")) {
    options.Start = {{arguments.Integer("start", 0), arguments.Integer("start", 1)}};
    if (!TMatrix::IsInside(options.Start->first, options.Start->second))
      throw EConvertError("--start takes a column from 0 to " + std::to_string(TMatrix::kColumns - 1) +
                          " and a row from 0 to " + std::to_string(TMatrix::kRows - 1));
    if (!options.Preview) throw EKestriloError("--start plays with the preview on; leave out --preview 0");
  }
  if (arguments.Has("state")) options.StatePath = arguments.Value("state");
  if (arguments.Has("frames")) options.FramesFolder = arguments.Value("frames");
  if (arguments.Has("every")) {
    if (!options.FramesFolder) throw EKestriloError("--every goes with --frames DIR");
    options.Every = arguments.Integer("every");
    if (options.Every < 1) throw EConvertError("--every must be at least 1");
  }
  return options;
}

// The player as last seen: a player that dies is freed by the frame loop, and
// its state then stays as it was in its last tick.
struct TPlayerSnapshot {
  bool Seen = false;
  bool Alive = false;
  double X = 0, Y = 0;
  int32_t Width = 0, Height = 0;
  int32_t Health = 0;
  int32_t WeaponType = 0;
  std::array<uint16_t, TPlayerSprite::kWeaponKinds> Ammo{};
  std::vector<uint8_t> Keys;

  void Take(const TGameContext& context) {
    const TPlayerSprite* player = context.PlayerSprite;
    Alive = player && !player->IsDead;
    if (!player) return;
    Seen = true;
    X = player->X;
    Y = player->Y;
    Width = player->Width;
    Height = player->Height;
    Health = player->Health;
    WeaponType = player->WeaponType;
    Ammo = player->Ammo;
    Keys.clear();
    for (const uint8_t key : player->Keys)
      if (key != 0) Keys.push_back(key);
  }
};

void WritePlayer(TJsonWriter& json, const TPlayerSnapshot& player) {
  json.Key("player").BeginObject();
  json.Key("x").Double(player.X).Key("y").Double(player.Y);
  json.Key("width").Number(player.Width).Key("height").Number(player.Height);
  json.Key("health").Number(player.Health).Key("weaponType").Number(player.WeaponType);
  json.Key("ammo").BeginArray();
  for (const uint16_t rounds : player.Ammo) json.Number(rounds);
  json.EndArray();
  json.Key("keys").BeginArray();
  for (const uint8_t key : player.Keys) json.Number(key);
  json.EndArray();
  json.Key("alive").Boolean(player.Alive);
  json.EndObject();
}

int64_t SolidCells(const TMatrix& matrix) {
  int64_t count = 0;
  for (const auto& column : matrix.Cells)
    for (const TMatrixCell& cell : column)
      if (!cell.IsFree()) ++count;
  return count;
}

// Each parent before its children, children in attachment order.
void WriteSprites(TJsonWriter& json, const TSprite& parent, int32_t depth) {
  for (int32_t i = 0; i < parent.ChildCount(); ++i) {
    const TSprite& sprite = *parent.Child(i);
    json.BeginObject();
    json.Key("class").String(sprite.ClassName());
    json.Key("depth").Number(depth);
    json.Key("x").Double(sprite.X).Key("y").Double(sprite.Y).Key("z").Number(sprite.Z());
    json.Key("width").Number(sprite.Width).Key("height").Number(sprite.Height);
    json.Key("visible").Boolean(sprite.Visible).Key("dead").Boolean(sprite.IsDead);
    if (const auto* image = dynamic_cast<const TImageSprite*>(&sprite)) json.Key("frame").Double(image->FramePos);
    if (const auto* monster = dynamic_cast<const TMonster*>(&sprite))
      json.Key("state").Number(monster->State).Key("health").Number(monster->Health);
    if (const auto* lift = dynamic_cast<const TLift*>(&sprite))
      json.Key("running").Number(lift->Running ? 1 : 0).Key("leg").Number(lift->Leg);
    if (const auto* door = dynamic_cast<const TDoor*>(&sprite)) json.Key("locked").Number(door->Locked ? 1 : 0);
    json.EndObject();
    WriteSprites(json, sprite, depth + 1);
  }
}

std::string StateJson(THeadlessEditor& editor, const TPlayerSnapshot& player,
                      const std::vector<std::string>& messages) {
  TGameContext& context = editor.Context();
  TJsonWriter json;
  json.BeginObject();
  json.Key("tick").Number(editor.TickCount());
  json.Key("caption").String(context.Caption);
  WritePlayer(json, player);
  json.Key("solidCells").Number(SolidCells(*context.PlayedLevel));
  json.Key("sprites").BeginArray();
  WriteSprites(json, *context.SpriteEngine->Engine(), 1);
  json.EndArray();
  json.Key("messages").BeginArray();
  for (const std::string& message : messages) json.String(message);
  json.EndArray();
  json.EndObject();
  return json.Text() + "\n";
}

std::string FramePath(const std::string& folder, int32_t tick) {
  return QDir(QString::fromStdString(folder)).filePath(QString::number(tick) + ".png").toStdString();
}

}  // namespace

int Play(const std::vector<std::string>& args, std::ostream& out) {
  const TPlayOptions options = ReadOptions(args);
  // The replay is read first: a malformed line is reported before any work.
  const TReplayScript script = options.Input ? TReplayScript::LoadFromFile(*options.Input) : TReplayScript();
  if (options.FramesFolder && !QDir().mkpath(QString::fromStdString(*options.FramesFolder)))
    throw EFCreateError(CannotCreateMessage(*options.FramesFolder));

  THeadlessEditor editor(options.DataFolder, options.Seed);
  editor.OpenObjects();
  editor.LoadLevel(options.Level);
  editor.SetPreview(options.Preview);
  editor.SetGravity(options.Gravity);
  editor.SetPlayerVisible(options.PlayerVisible);
  editor.SetGrid(options.Grid);
  // After the settings: test from here shows the player and puts its gravity on.
  if (options.Start) editor.StartAt(options.Start->first, options.Start->second);

  TPlayerSnapshot player;
  player.Take(editor.Context());
  // An error a tick runs into is shown by the editor, which goes on; here it is
  // reported once, with the first tick it came up in.
  std::vector<std::string> messages;
  std::set<std::string> reported;
  for (int32_t tick = 1; tick <= options.Ticks; ++tick) {
    editor.Tick(script.KeysAt(tick));
    player.Take(editor.Context());
    for (const std::string& message : editor.TakeMessages()) {
      if (!reported.insert(message).second) continue;
      messages.push_back(message);
      std::cerr << "tick " << tick << ": " << message << "\n";
    }
    if (options.FramesFolder && tick % options.Every == 0)
      SavePng(editor.Frame(), FramePath(*options.FramesFolder, tick));
  }

  if (options.StatePath) {
    WriteFileAtomic(*options.StatePath, StateJson(editor, player, messages));
  } else {
    out << "tick " << editor.TickCount() << ": player " << (player.Alive ? "alive" : "gone") << " at " << player.X
        << ", " << player.Y << ", health " << player.Health << "\n";
  }
  return 0;
}

}  // namespace kestrilo::tool
