#include "colours/palette_drawing.h"

#include <gtest/gtest.h>

#include <memory>

namespace kalvor {
namespace {

constexpr platform::Colour kRed = 0x0000FF;
constexpr platform::Colour kGreen = 0x00FF00;

struct DrawnPalette {
  std::unique_ptr<FavouriteTable> cells = std::make_unique<FavouriteTable>();
  PaletteGeometry geometry;
  platform::Image image{kPaletteImageWidth, kPaletteImageHeight};

  DrawnPalette() {
    ResetFavouriteCells(*cells, geometry);
    (*cells)[5][3].colour = kRed;
    ClearPaletteImage(image);
    DrawFavouriteGrid(image, *cells, geometry);
  }
};

TEST(PaletteGrid, DefaultCellsSpanTwentyFivePixelsFromOneOne) {
  DrawnPalette palette;
  const FavouriteCell& cell = (*palette.cells)[12][9];
  EXPECT_EQ(cell.left, 301);
  EXPECT_EQ(cell.right, 326);
  EXPECT_EQ(cell.top, 226);
  EXPECT_EQ(cell.bottom, 251);
  EXPECT_EQ(cell.column, 12);
  EXPECT_EQ(cell.row, 9);
  EXPECT_EQ(cell.colour, platform::kWhite);
  EXPECT_EQ((*palette.cells)[13][0], FavouriteCell{});
  EXPECT_EQ((*palette.cells)[0][10], FavouriteCell{});
}

TEST(PaletteGrid, SwatchesAre22PixelSquaresThreePixelsApart) {
  DrawnPalette palette;
  for (int row = 0; row < 10; ++row) {
    for (int column = 0; column < 13; ++column) {
      const int left = 25 * column + 4, top = 25 * row + 4, right = left + 21, bottom = top + 21;
      const platform::Colour fill = column == 5 && row == 3 ? kRed : platform::kWhite;
      SCOPED_TRACE(testing::Message() << "cell " << column << "," << row);
      // Outline corners and edges, the inside, and the white gap just outside each edge.
      EXPECT_EQ(palette.image.Pixel(left, top), platform::kBlack);
      EXPECT_EQ(palette.image.Pixel(right, bottom), platform::kBlack);
      EXPECT_EQ(palette.image.Pixel(left + 10, top), platform::kBlack);
      EXPECT_EQ(palette.image.Pixel(left, top + 10), platform::kBlack);
      EXPECT_EQ(palette.image.Pixel(left + 1, top + 1), fill);
      EXPECT_EQ(palette.image.Pixel(right - 1, bottom - 1), fill);
      EXPECT_EQ(palette.image.Pixel(left - 1, top + 10), platform::kWhite);
      EXPECT_EQ(palette.image.Pixel(right + 1, top + 10), platform::kWhite);
      EXPECT_EQ(palette.image.Pixel(left + 10, top - 1), platform::kWhite);
      EXPECT_EQ(palette.image.Pixel(left + 10, bottom + 1), platform::kWhite);
    }
  }
  // Nothing beyond the grid.
  EXPECT_EQ(palette.image.Pixel(330, 100), platform::kWhite);
  EXPECT_EQ(palette.image.Pixel(100, 260), platform::kWhite);
}

TEST(PaletteGrid, CellsAreDrawnWhereTheirStoredEdgesPutThem) {
  DrawnPalette palette;
  // An empty cell (as from a short file) leaves a 3 x 3 black square at the corner.
  (*palette.cells)[0][0] = FavouriteCell{};
  (*palette.cells)[1][0] = {100, 120, 280, 300, 1, 0, kGreen};
  ClearPaletteImage(palette.image);
  DrawFavouriteGrid(palette.image, *palette.cells, palette.geometry);
  EXPECT_EQ(palette.image.Pixel(0, 0), platform::kBlack);
  EXPECT_EQ(palette.image.Pixel(2, 2), platform::kBlack);
  EXPECT_EQ(palette.image.Pixel(3, 3), platform::kWhite);
  EXPECT_EQ(palette.image.Pixel(29, 4), platform::kWhite);  // where cell (1,0) would be by default
  EXPECT_EQ(palette.image.Pixel(103, 283), platform::kBlack);
  EXPECT_EQ(palette.image.Pixel(110, 290), kGreen);
}

TEST(PaletteGrid, HighlightOutlinesTheSwatchInWhite) {
  DrawnPalette palette;
  DrawSwatch(palette.image, (*palette.cells)[5][3], palette.geometry, platform::kWhite);
  EXPECT_EQ(palette.image.Pixel(129, 79), platform::kWhite);
  EXPECT_EQ(palette.image.Pixel(130, 80), kRed);
}

TEST(PaletteGrid, PointerFindsItsCellOnlyOnTheGrid) {
  const PaletteGeometry geometry;
  const auto at = [&](int x, int y) {
    const auto cell = PaletteCellAt(x, y, geometry);
    return cell ? cell->column * 100 + cell->row : -1;
  };
  EXPECT_EQ(at(0, 0), 0);
  EXPECT_EQ(at(24, 24), 0);
  EXPECT_EQ(at(25, 49), 101);
  EXPECT_EQ(at(324, 249), 1209);
  EXPECT_EQ(at(325, 100), -1);
  EXPECT_EQ(at(100, 250), -1);
  EXPECT_EQ(at(-3, 10), -1);
  EXPECT_EQ(at(10, -3), -1);
}

}  // namespace
}  // namespace kalvor
