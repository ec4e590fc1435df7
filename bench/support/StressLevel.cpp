#include "support/StressLevel.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include "library/MonsterRecord.h"
#include "library/ObjectDataBase.h"
#include "library/ObjectRecord.h"
#include "library/PictureCollection.h"
#include "matrix/Matrix.h"
#include "matrix/MatrixFile.h"
#include "platform/Cp1251.h"

namespace kestrilo::bench {

namespace {

constexpr int32_t kCellCount = TMatrix::kCellCount;
constexpr int32_t kBackEntryCount = kCellCount * TMatrix::kBackPlaneCount;
// The background entry and the start marker take two back-plane entries.
constexpr int32_t kMaxDecorations = kBackEntryCount - 2;
// Cells around the start marker stay free, so that the player has room.
constexpr int32_t kStartMargin = 1;

// Object numbers of the stress library.
enum : int32_t { kWall = 1, kStone, kDecor, kTorch, kBackground, kMonster, kStart };

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

// A picture of `frames` frames side by side, each with a black (keyed) border
// two pixels wide and a pattern of its own inside.
std::string BitmapBytes(int32_t frameWidth, int32_t height, int32_t frames, uint32_t hue) {
  QImage image(frameWidth * frames, height, QImage::Format_RGB888);
  image.fill(Qt::black);
  QPainter painter(&image);
  for (int32_t f = 0; f < frames; ++f) {
    const QColor colour = QColor::fromHsv(static_cast<int>((hue + 37 * f) % 360), 200, 220);
    painter.fillRect(f * frameWidth + 2, 2, frameWidth - 4, height - 4, colour);
    painter.fillRect(f * frameWidth + frameWidth / 4, height / 4, frameWidth / 2, height / 2, colour.darker(150));
  }
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) throw std::runtime_error("cannot encode a bitmap");
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

void AddPicture(TPictureCollection& pictures, const char* utf8Name, int32_t frameWidth, int32_t height, int32_t frames,
                uint32_t hue) {
  TPictureCollectionItem* item = pictures.Add();
  item->SetName(W1251(utf8Name));
  item->Picture.LoadFromData(TPicture::kBitmap, BitmapBytes(frameWidth, height, frames, hue));
  item->PatternWidth = frameWidth;
  item->PatternHeight = height;
  item->Transparent = true;
  item->SetTransparentColor(0);  // black
}

TObjectRecord Record(uint8_t type, int32_t number, const char* utf8Name, bool animated = false, double speed = 0) {
  TObjectRecord r;
  r.ObjType = type;
  r.Number = number;
  r.Name = W1251(utf8Name);
  r.Animated = animated;
  r.AnimSpeed = speed;
  return r;
}

TMonsterRecord HunterRecord() {
  TMonsterRecord m;
  m.CanJump = true;
  m.MoveMode = TMonsterRecord::mmWalksAndFalls;
  m.WakeByDistance = false;
  m.Hunter = true;
  m.HealthMin = 10;
  m.HealthMax = 20;
  // No damage, so the player lives through any number of ticks.
  m.DamageMin = 0;
  m.DamageMax = 0;
  m.WalkSpeed = 3;
  m.Name = W1251("Враг");
  m.ShotPicture = W1251("Пуля");
  m.AnimSpeed = 0.005;
  m.FrameRanges = {{{0, 1}, {2, 3}, {4, 4}, {5, 5}, {6, 6}, {6, 6}, {7, 7}, {7, 7}}};
  return m;
}

// Seeded Fisher-Yates on the first `count` places only.
void ShuffleFront(std::vector<int32_t>& items, int32_t count, std::mt19937& rng) {
  const auto n = static_cast<int32_t>(items.size());
  for (int32_t i = 0; i < std::min(count, n); ++i) {
    const int32_t j = i + static_cast<int32_t>(rng() % static_cast<uint32_t>(n - i));
    std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
  }
}

bool NearStart(int32_t x, int32_t y) {
  return std::abs(x - kStartColumn) <= kStartMargin && std::abs(y - kStartRow) <= kStartMargin;
}

}  // namespace

TStressLayout StressLevelLayout() { return {kCellCount / 2, kMaxDecorations, 500}; }

TStressLayout ScalingLayout(int32_t Sprites, int32_t Monsters) {
  TStressLayout layout;
  layout.Monsters = Monsters;
  layout.Decorations = std::min(kMaxDecorations, static_cast<int32_t>(std::lround(Sprites * 0.8)));
  const int32_t freeCells = kCellCount - (2 * kStartMargin + 1) * (2 * kStartMargin + 1) - Monsters;
  layout.Walls = std::clamp(Sprites - layout.Decorations - 2 * Monsters - 4, 0, freeCells);
  return layout;
}

int32_t SpritesOf(const TStressLayout& Layout) { return Layout.Walls + Layout.Decorations + 2 * Layout.Monsters + 4; }

void WriteStressData(const std::string& Folder) {
  const std::vector<TObjectRecord> records = {
      Record(otWall, kWall, "Стена"),           Record(otWall, kStone, "Камень"),
      Record(otBackground, kDecor, "Декор"),    Record(otBackground, kTorch, "Факел", true, 0.01),
      Record(otBackground, kBackground, "Фон"), Record(otMonster, kMonster, "Враг"),
      Record(otPlayer, kStart, "Старт"),
  };
  WriteFile(Folder + "/test.obj", TObjectDataBase::RecordsToBytes(records));

  TPictureCollection pictures;
  AddPicture(pictures, "Стена", 32, 32, 1, 20);
  AddPicture(pictures, "Камень", 32, 32, 1, 40);
  AddPicture(pictures, "Декор", 32, 32, 1, 120);
  AddPicture(pictures, "Факел", 32, 32, 4, 60);
  AddPicture(pictures, "Фон", 64, 64, 1, 220);
  AddPicture(pictures, "Враг", 32, 32, 8, 300);
  AddPicture(pictures, "Старт", 32, 32, 1, 180);
  AddPicture(pictures, "Игрок", 32, 40, 4, 90);
  AddPicture(pictures, "Сопля 2", 8, 8, 1, 100);
  AddPicture(pictures, "Пуля", 8, 8, 2, 0);
  AddPicture(pictures, "Бомба", 8, 8, 1, 10);
  AddPicture(pictures, "Взрыв", 32, 32, 4, 30);
  pictures.SaveToFile(TObjectDataBase::GraphicsFileName(Folder + "/test.obj"));

  WriteFile(Folder + "/1.mon", HunterRecord().ToBytes());
}

void WriteStressLevel(const std::string& MatrixPath, const TStressLayout& Layout) {
  std::mt19937 rng(Layout.Seed);
  auto owned = std::make_unique<TMatrix>();
  TMatrix& matrix = *owned;

  // Main plane: walls first, then the monsters, on cells drawn without repeats.
  std::vector<int32_t> cells;
  for (int32_t x = 0; x < TMatrix::kColumns; ++x)
    for (int32_t y = 0; y < TMatrix::kRows; ++y)
      if (!NearStart(x, y)) cells.push_back(x * TMatrix::kRows + y);
  const int32_t mainCount = std::min<int32_t>(Layout.Walls + Layout.Monsters, static_cast<int32_t>(cells.size()));
  ShuffleFront(cells, mainCount, rng);
  for (int32_t i = 0; i < mainCount; ++i) {
    const int32_t x = cells[static_cast<size_t>(i)] / TMatrix::kRows;
    const int32_t y = cells[static_cast<size_t>(i)] % TMatrix::kRows;
    TMatrixCell cell;
    const bool wall = i < Layout.Walls;
    cell.Kind = static_cast<int8_t>(wall ? otWall : otMonster);
    cell.ObjectNumber = wall ? (rng() % 2 == 0 ? kWall : kStone) : kMonster;
    matrix.PutObjectSized(cell, 32.0 * x, 32.0 * y, 32, 32);
  }

  // Back planes: the level background at (0, 0) of plane 4, the start marker
  // in plane 4 (where the editor puts players), decorations on the rest.
  matrix.PutBackObject(4, kBackground, 0, 0);
  matrix.PutBackObject(4, kStart, 32.0 * kStartColumn, 32.0 * kStartRow);
  std::vector<int32_t> entries;
  for (int32_t e = 0; e < kBackEntryCount; ++e) {
    const int32_t cell = e / TMatrix::kBackPlaneCount;
    const int32_t plane = e % TMatrix::kBackPlaneCount + 1;
    const int32_t x = cell / TMatrix::kRows, y = cell % TMatrix::kRows;
    if (plane == 4 && ((x == 0 && y == 0) || (x == kStartColumn && y == kStartRow))) continue;
    entries.push_back(e);
  }
  const int32_t decorations = std::min<int32_t>(Layout.Decorations, static_cast<int32_t>(entries.size()));
  ShuffleFront(entries, decorations, rng);
  for (int32_t i = 0; i < decorations; ++i) {
    const int32_t e = entries[static_cast<size_t>(i)];
    const int32_t cell = e / TMatrix::kBackPlaneCount;
    const auto plane = static_cast<uint8_t>(e % TMatrix::kBackPlaneCount + 1);
    const int32_t x = cell / TMatrix::kRows, y = cell % TMatrix::kRows;
    matrix.PutBackObject(plane, rng() % 4 == 0 ? kTorch : kDecor, 32.0 * x, 32.0 * y);
  }

  WriteFile(MatrixPath, TMatrixFile::EncodeCells(matrix));
  WriteFile(TMatrixFile::BackPlaneFileName(MatrixPath), TMatrixFile::EncodeBackPlanes(matrix));
}

}  // namespace kestrilo::bench
