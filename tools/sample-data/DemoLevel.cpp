#include "DemoLevel.h"

#include <map>

#include "library/ObjectDataBase.h"
#include "matrix/Matrix.h"
#include "platform/Cp1251.h"
#include "platform/Errors.h"

namespace kestrilo::sample {

namespace {

// What a character of the main-plane plan places. '.' is an empty cell, '+'
// a cell covered by the footprint of an object anchored above or to the left.
struct TAnchor {
  std::string_view Name;
  int8_t LiftHeight = 0;
  uint8_t KeyCode = 0;
};

constexpr uint8_t kRedCode = 1, kBlueCode = 2;
constexpr int8_t kLiftTravel = 6;  // from the ground floor (row 14) up to the upper floor (row 8)

const std::map<char, TAnchor>& Legend() {
  static const std::map<char, TAnchor> legend = {
      {'S', {"Камень"}},
      {'#', {"Кирпич"}},
      {'=', {"Балка"}},
      {'G', {"Земля"}},
      {'^', {"Шипы"}},
      {'L', {"Лифт", kLiftTravel}},
      {'r', {"Ключ красный", 0, kRedCode}},
      {'b', {"Ключ синий", 0, kBlueCode}},
      {'R', {"Дверь красная", 0, kRedCode}},
      {'B', {"Дверь синяя", 0, kBlueCode}},
  };
  return legend;
}

const TObjectRecord& Require(const TObjectDataBase& library, std::string_view name, TObjectRecord& holder) {
  holder = library.FindByName(W1251(name));
  if (holder.Number < 0) throw EKestriloError("The demo level names an unknown object: " + std::string(name));
  return holder;
}

}  // namespace

const std::vector<std::string_view>& DemoMainPlane() {
  static const std::vector<std::string_view> rows = {
      // columns 0 to 19
      "SSSSSSSS^^^^^SSSSSSS",  //  0 ceiling, spikes over the shooter
      "S...S..............S",  //  1
      "S...S..............S",  //  2 the bat flies up here
      "S...S..............S",  //  3
      "S...S..............S",  //  4
      "S...S..............S",  //  5
      "S...R..............S",  //  6 red door
      "Sb..+.......r......S",  //  7 blue key behind it, red key on the upper floor
      "S=+=+=+=+=+=+=+=+..S",  //  8 upper floor of beams; the lift shaft at 17-18
      "S..#...............S",  //  9
      "S..#...............S",  // 10
      "S..#...............S",  // 11
      "S..B...............S",  // 12 blue door to the spring
      "S..+...............S",  // 13 the player starts at column 5
      "GGGGGGGGGGGGGGGGGL+G",  // 14 ground, the lift at 17-18
  };
  return rows;
}

const std::vector<TBackPlacement>& DemoBackPlanes() {
  static const std::vector<TBackPlacement> placements = {
      // Plane 1: monsters, pick-ups and torches.
      {1, 11, 13, "Бродяга"},
      {1, 15, 13, "Прыгун"},
      {1, 9, 7, "Стрелок"},
      {1, 11, 2, "Летун"},
      {1, 7, 13, "Патроны"},
      {1, 14, 7, "Аптечка"},
      {1, 1, 13, "Родник"},
      {1, 2, 13, "Патроны"},
      {1, 7, 10, "Факел"},
      {1, 13, 10, "Факел"},
      {1, 7, 4, "Факел"},
      {1, 2, 4, "Факел"},
      // Plane 2: windows and pillars, clear of the monsters' rows.
      {2, 9, 9, "Окно"},
      {2, 13, 1, "Окно"},
      {2, 5, 4, "Колонна"},
      {2, 16, 4, "Колонна"},
      // Plane 3: the brick walls of the two small rooms.
      {3, 1, 1, "Кирпичи фона"},
      {3, 2, 1, "Кирпичи фона"},
      {3, 3, 1, "Кирпичи фона"},
      {3, 1, 2, "Кирпичи фона"},
      {3, 2, 2, "Кирпичи фона"},
      {3, 3, 2, "Кирпичи фона"},
      {3, 1, 3, "Кирпичи фона"},
      {3, 2, 3, "Кирпичи фона"},
      {3, 3, 3, "Кирпичи фона"},
      {3, 1, 4, "Кирпичи фона"},
      {3, 2, 4, "Кирпичи фона"},
      {3, 3, 4, "Кирпичи фона"},
      {3, 1, 5, "Кирпичи фона"},
      {3, 2, 5, "Кирпичи фона"},
      {3, 3, 5, "Кирпичи фона"},
      {3, 1, 6, "Кирпичи фона"},
      {3, 2, 6, "Кирпичи фона"},
      {3, 3, 6, "Кирпичи фона"},
      {3, 1, 7, "Кирпичи фона"},
      {3, 2, 7, "Кирпичи фона"},
      {3, 3, 7, "Кирпичи фона"},
      {3, 1, 9, "Кирпичи фона"},
      {3, 2, 9, "Кирпичи фона"},
      {3, 1, 10, "Кирпичи фона"},
      {3, 2, 10, "Кирпичи фона"},
      {3, 1, 11, "Кирпичи фона"},
      {3, 2, 11, "Кирпичи фона"},
      {3, 1, 12, "Кирпичи фона"},
      {3, 2, 12, "Кирпичи фона"},
      {3, 1, 13, "Кирпичи фона"},
      {3, 2, 13, "Кирпичи фона"},
      // Plane 4: the sky behind everything (entry 0, 0), clouds and the start.
      {4, 0, 0, "Небо"},
      {4, 6, 1, "Облако"},
      {4, 14, 10, "Облако"},
      {4, 5, 13, "Старт"},
  };
  return placements;
}

std::unique_ptr<TMatrix> BuildDemoLevel(const TObjectDataBase& library) {
  auto matrix = std::make_unique<TMatrix>();
  const auto& rows = DemoMainPlane();
  TObjectRecord record;
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size(); ++x) {
      const auto anchor = Legend().find(rows[y][x]);
      if (anchor == Legend().end()) continue;
      Require(library, anchor->second.Name, record);
      TMatrixCell cell;
      cell.Kind = static_cast<int8_t>(record.ObjType);
      cell.ObjectNumber = record.Number;
      cell.LiftHeight = anchor->second.LiftHeight;
      cell.KeyCode = anchor->second.KeyCode;
      matrix->PutObject(cell, 32.0 * static_cast<double>(x), 32.0 * static_cast<double>(y), library);
    }
  }
  // The plan marks footprints itself, so a picture of the wrong size shows here.
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) {
      const bool planned = rows[y][x] != '.';
      if (planned != !matrix->Cells[x][y].IsFree())
        throw EKestriloError("The demo level's plan and its footprints differ at column " + std::to_string(x) +
                             ", row " + std::to_string(y));
    }
  for (const TBackPlacement& p : DemoBackPlanes()) {
    Require(library, p.Name, record);
    matrix->PutBackObject(static_cast<uint8_t>(p.Plane), record.Number, 32.0 * p.Column, 32.0 * p.Row);
  }
  return matrix;
}

}  // namespace kestrilo::sample
