#include "editor/PaintStroke.h"

#include <cstdlib>

namespace kestrilo {

std::vector<TGridCell> CellsPassed(TGridCell From, TGridCell To) {
  // A line walked cell by cell, one step along either axis at a time, so that
  // a quick diagonal move leaves no gap.
  std::vector<TGridCell> cells;
  const int32_t dx = std::abs(To.Column - From.Column), sx = From.Column < To.Column ? 1 : -1;
  const int32_t dy = -std::abs(To.Row - From.Row), sy = From.Row < To.Row ? 1 : -1;
  int32_t error = dx + dy;
  TGridCell at = From;
  while (!(at == To)) {
    const int32_t twice = 2 * error;
    const bool stepColumn = at.Row == To.Row || (at.Column != To.Column && twice >= dy);
    if (stepColumn) {
      error += dy;
      at.Column += sx;
    } else {
      error += dx;
      at.Row += sy;
    }
    cells.push_back(at);
  }
  return cells;
}

}  // namespace kestrilo
