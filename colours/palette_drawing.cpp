#include "colours/palette_drawing.h"

#include <algorithm>
#include <cstdint>

namespace kalvor {

namespace {
// The grid starts one pixel in from the view's corner.
constexpr int kGridOrigin = 1;
}  // namespace

void ResetFavouriteCells(FavouriteTable& favouriteCells, const PaletteGeometry& geometry) {
  ClearFavouriteCells(favouriteCells);
  for (int row = 0; row < geometry.gridRows; ++row) {
    for (int column = 0; column < geometry.gridColumns; ++column) {
      FavouriteCell& cell = favouriteCells[column][row];
      cell.left = column * geometry.cellWidth + kGridOrigin;
      cell.right = (column + 1) * geometry.cellWidth + kGridOrigin;
      cell.top = row * geometry.cellHeight + kGridOrigin;
      cell.bottom = (row + 1) * geometry.cellHeight + kGridOrigin;
      cell.column = static_cast<std::int16_t>(column);
      cell.row = static_cast<std::int16_t>(row);
      cell.colour = platform::kWhite;
    }
  }
}

void ClearPaletteImage(platform::Image& paletteImage) {
  paletteImage.Fill(platform::kWhite);
}

void DrawSwatch(platform::Image& image, const FavouriteCell& cell, const PaletteGeometry& geometry,
                platform::Colour outline) {
  // Edges come from a file: widened so that adding the inset cannot overflow. Corners in either order
  // (an empty cell gives (3, 3)-(0, 0)) draw the same box.
  const auto inset = [&](std::int32_t edge) {
    return static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{edge} + geometry.swatchInset, INT32_MIN, INT32_MAX));
  };
  image.Rectangle(inset(cell.left), inset(cell.top), cell.right, cell.bottom, outline,
                  geometry.swatchPenWidth, cell.colour);
}

void DrawFavouriteGrid(platform::Image& paletteImage, const FavouriteTable& favouriteCells,
                       const PaletteGeometry& geometry) {
  for (int row = 0; row < geometry.gridRows; ++row) {
    for (int column = 0; column < geometry.gridColumns; ++column) {
      DrawSwatch(paletteImage, favouriteCells[column][row], geometry, platform::kBlack);
    }
  }
}

std::optional<GridCell> PaletteCellAt(int x, int y, const PaletteGeometry& geometry) {
  // Negative positions (the pointer held beyond the view's left or top edge) are off the grid, not
  // column or row 0.
  if (x < 0 || y < 0) return std::nullopt;
  const GridCell cell{x / geometry.cellWidth, y / geometry.cellHeight};
  if (cell.column >= geometry.gridColumns || cell.row >= geometry.gridRows) return std::nullopt;
  return cell;
}

}  // namespace kalvor
