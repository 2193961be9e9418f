// "Mis Colores.log": the user's favourite colours, one 24-byte record per cell of the palette grid.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/image.h"

namespace kalvor {

// One cell of the favourites grid, in memory and in the file alike. The two x edges come before the
// two y edges.
struct FavouriteCell {
  std::int32_t left = 0;
  std::int32_t right = 0;
  std::int32_t top = 0;
  std::int32_t bottom = 0;
  std::int16_t column = 0;
  std::int16_t row = 0;
  platform::Colour colour = 0;

  bool operator==(const FavouriteCell&) const = default;
};

constexpr int kFavouriteRecordSize = 24;
// The table holds columns and rows 0..50; only the top-left 13 x 10 of it is shown and saved.
constexpr int kFavouriteTableSide = 51;
// The most records a save writes: the 13 x 10 grid.
constexpr int kMostFavouriteRecords = 130;

// favouriteCells[column][row]
using FavouriteTable = std::array<std::array<FavouriteCell, kFavouriteTableSide>, kFavouriteTableSide>;

// The record's bytes, little-endian whatever the host.
std::array<std::uint8_t, kFavouriteRecordSize> EncodeFavouriteCell(const FavouriteCell& cell);
FavouriteCell DecodeFavouriteCell(const std::uint8_t* record);

// Every field of every cell back to zero.
void ClearFavouriteCells(FavouriteTable& favouriteCells);

// Empties the table, then places each of the file's last 130 whole records at its own column and row,
// later records winning. Records naming a cell outside the table are passed over; a trailing
// part-record is ignored. A file that cannot be read leaves the table empty. Shows nothing; returns the
// error number of a file that is there but could not be read (after about a second of retries), else 0.
int LoadFavourites(const std::string& path, FavouriteTable& favouriteCells);

// The gridColumns x gridRows cells in row order, as the file holds them.
std::vector<std::uint8_t> FavouriteFileContent(const FavouriteTable& favouriteCells, int gridColumns,
                                               int gridRows);

// Replaces the file by the grid's cells in one step, so a failed save leaves the previous file as it was.
// A failure is shown once as the numbered file error; returns false then.
bool SaveFavourites(const std::string& path, const FavouriteTable& favouriteCells, int gridColumns,
                    int gridRows, int languageIndex);

}  // namespace kalvor
