#include "world/LevelCheck.h"

#include <QCoreApplication>

#include <algorithm>
#include <map>
#include <set>

#include "library/MonstersDataBase.h"
#include "library/ObjectDataBase.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"

namespace kestrilo {

namespace {

std::string Text(const char* source, const std::string& argument = {}) {
  QString text = QCoreApplication::translate("TLevelCheck", source);
  if (!argument.empty()) text = text.arg(QString::fromStdString(argument));
  return text.toStdString();
}

// A name as a message may quote it: UTF-8 with control characters written out.
std::string Shown(const std::string& name) { return cp1251::EscapeControls(cp1251::ToUtf8(name)); }

// Every object the level places: its plane, cell, number and, on the main
// plane, the key code stored in its cell.
struct TPlaced {
  int32_t Plane, Column, Row, Number;
  uint8_t KeyCode;
};

std::vector<TPlaced> PlacedObjects(const TMatrix& Level) {
  std::vector<TPlaced> placed;
  for (int32_t x = 0; x < TMatrix::kColumns; ++x) {
    for (int32_t y = 0; y < TMatrix::kRows; ++y) {
      const TMatrixCell& cell = Level.Cells[x][y];
      if (cell.ObjectNumber >= 0) placed.push_back({TMatrix::kMainPlane, x, y, cell.ObjectNumber, cell.KeyCode});
      for (int32_t plane = 1; plane <= TMatrix::kBackPlaneCount; ++plane) {
        const int32_t number = Level.BackPlanes[x][y][plane - 1];
        if (number > 0) placed.push_back({plane, x, y, number, 0});
      }
    }
  }
  return placed;
}

void AddCell(TLevelFinding& finding, const TPlaced& at) {
  ++finding.CellCount;
  if (finding.Cells.size() < TLevelFinding::kMaxCells) finding.Cells.push_back({at.Plane, at.Column, at.Row});
}

}  // namespace

std::vector<TLevelFinding> CheckLevel(const TMatrix& Level, const TObjectDataBase& Library,
                                      const TMonstersDataBase* Monsters) {
  std::vector<TLevelFinding> findings;
  std::map<int32_t, const TObjectRecord*> byNumber;
  for (const TObjectRecord& record : Library.Records) byNumber.emplace(record.Number, &record);

  std::map<int32_t, TLevelFinding> unknown, withoutRecord;
  TLevelFinding starts{"severalStartMarkers", {}, {}, 0};
  std::map<uint8_t, std::vector<TPlaced>> doors, keys;
  for (const TPlaced& at : PlacedObjects(Level)) {
    const auto found = byNumber.find(at.Number);
    if (found == byNumber.end()) {
      TLevelFinding& finding = unknown[at.Number];
      finding.Kind = "unknownObject";
      finding.Text =
          Text(QT_TRANSLATE_NOOP("TLevelCheck", "Объекта с номером %1 нет в библиотеке"), std::to_string(at.Number));
      AddCell(finding, at);
      continue;
    }
    const TObjectRecord& record = *found->second;
    const uint8_t code = TMatrix::IsMainPlane(at.Plane) ? at.KeyCode : record.KeyCode;
    if (record.ObjType == otMonster && (!Monsters || Monsters->Count() == 0 ||
                                        Monsters->GetRecord(Monsters->IndexOfName(record.Name)).Name != record.Name)) {
      TLevelFinding& finding = withoutRecord[at.Number];
      finding.Kind = "monsterWithoutRecord";
      finding.Text =
          Text(QT_TRANSLATE_NOOP("TLevelCheck", "У монстра «%1» нет записи в файле монстров: он возьмёт первую"),
               Shown(record.Name));
      AddCell(finding, at);
    }
    if (record.ObjType == otPlayer && record.Name == cp1251::FromUtf8("Старт")) AddCell(starts, at);
    if (record.ObjType == otDoor) doors[code].push_back(at);
    if (record.ObjType == otKey) keys[code].push_back(at);
  }
  for (auto& [number, finding] : unknown) findings.push_back(std::move(finding));
  for (auto& [number, finding] : withoutRecord) findings.push_back(std::move(finding));
  if (starts.CellCount == 0) {
    // The marker's name is the library's, never translated.
    findings.push_back({"noStartMarker",
                        Text(QT_TRANSLATE_NOOP("TLevelCheck", "На уровне нет стартовой метки «%1»"), "Старт"),
                        {},
                        0});
  } else if (starts.CellCount > 1) {
    starts.Text =
        Text(QT_TRANSLATE_NOOP("TLevelCheck", "Стартовых меток на уровне: %1"), std::to_string(starts.CellCount));
    findings.push_back(std::move(starts));
  }
  const auto unmatched = [&](const std::map<uint8_t, std::vector<TPlaced>>& these,
                             const std::map<uint8_t, std::vector<TPlaced>>& others, const char* kind,
                             const char* text) {
    for (const auto& [code, places] : these) {
      if (others.count(code)) continue;
      TLevelFinding finding{kind, Text(text, std::to_string(code)), {}, 0};
      for (const TPlaced& at : places) AddCell(finding, at);
      findings.push_back(std::move(finding));
    }
  };
  unmatched(doors, keys, "doorWithoutKey",
            QT_TRANSLATE_NOOP("TLevelCheck", "Дверь с кодом %1: ни один ключ уровня её не открывает"));
  unmatched(keys, doors, "keyWithoutDoor",
            QT_TRANSLATE_NOOP("TLevelCheck", "Ключ с кодом %1 не открывает ни одной двери"));
  if (Library.Images) {
    for (const TObjectRecord& record : Library.Records) {
      if (record.ObjType == otEmpty || Library.Images->IndexOf(record.Name) >= 0) continue;
      findings.push_back(
          {"missingPicture",
           Text(QT_TRANSLATE_NOOP("TLevelCheck", "В графическом файле нет картинки «%1»"), Shown(record.Name)),
           {},
           0});
    }
  }
  return findings;
}

std::vector<int32_t> UnsavedEntriesInUse(const TMatrix& Level, const std::vector<TObjectRecord>& Library,
                                         const std::vector<TObjectRecord>& Saved) {
  std::set<int32_t> unsaved;
  for (const TObjectRecord& record : Library)
    if (std::find(Saved.begin(), Saved.end(), record) == Saved.end()) unsaved.insert(record.Number);
  std::set<int32_t> used;
  if (!unsaved.empty())
    for (const TPlaced& at : PlacedObjects(Level))
      if (unsaved.count(at.Number)) used.insert(at.Number);
  return {used.begin(), used.end()};
}

}  // namespace kestrilo
