// A grid of equal labels on a page, and the tape-label sheet's grid that the
// DLT layouts print on. Both label families place their labels from it.
#pragma once

#include "surface/Units.h"

namespace vantor {

// A grid of equal labels, filled row by row.
struct TLabelGrid {
  TLength left{}, top{};       // the first label's top-left corner, from the paper's corner
  TLength width{}, height{};   // one label
  TLength pitchX{}, pitchY{};  // from one label's corner to the next one's, across and down
  int columns = 0;
  int rows = 0;

  constexpr int Labels() const { return columns * rows; }
};

// The tape-label sheet: 3 x 10 labels of 57 x 21 mm on A4.
inline constexpr TLabelGrid kTapeLabelGrid = {.left = Mm(22),
                                              .top = Mm(34),
                                              .width = Mm(57),
                                              .height = Mm(21),
                                              .pitchX = Mm(57),
                                              .pitchY = Mm(21),
                                              .columns = 3,
                                              .rows = 10};

}  // namespace vantor
