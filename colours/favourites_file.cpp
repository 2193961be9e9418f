#include "colours/favourites_file.h"

#include "app/file_error.h"
#include "platform/files.h"
#include "platform/little_endian.h"

namespace kalvor {

namespace {
// Field offsets of the record.
constexpr int kLeftAt = 0;
constexpr int kRightAt = 4;
constexpr int kTopAt = 8;
constexpr int kBottomAt = 12;
constexpr int kColumnAt = 16;
constexpr int kRowAt = 18;
constexpr int kColourAt = 20;

bool InTable(int column, int row) {
  return column >= 0 && column < kFavouriteTableSide && row >= 0 && row < kFavouriteTableSide;
}

}  // namespace

std::array<std::uint8_t, kFavouriteRecordSize> EncodeFavouriteCell(const FavouriteCell& cell) {
  std::array<std::uint8_t, kFavouriteRecordSize> record{};
  platform::PutInt32(&record[kLeftAt], cell.left);
  platform::PutInt32(&record[kRightAt], cell.right);
  platform::PutInt32(&record[kTopAt], cell.top);
  platform::PutInt32(&record[kBottomAt], cell.bottom);
  platform::PutInt16(&record[kColumnAt], cell.column);
  platform::PutInt16(&record[kRowAt], cell.row);
  platform::Put32(&record[kColourAt], cell.colour);
  return record;
}

FavouriteCell DecodeFavouriteCell(const std::uint8_t* record) {
  FavouriteCell cell;
  cell.left = platform::GetInt32(&record[kLeftAt]);
  cell.right = platform::GetInt32(&record[kRightAt]);
  cell.top = platform::GetInt32(&record[kTopAt]);
  cell.bottom = platform::GetInt32(&record[kBottomAt]);
  cell.column = platform::GetInt16(&record[kColumnAt]);
  cell.row = platform::GetInt16(&record[kRowAt]);
  cell.colour = platform::Get32(&record[kColourAt]);
  return cell;
}

void ClearFavouriteCells(FavouriteTable& favouriteCells) {
  for (auto& column : favouriteCells) column.fill(FavouriteCell{});
}

// Later records win, so only the last 130 can matter to the grid that is shown and saved; no more are
// read, however long the file.
int LoadFavourites(const std::string& path, FavouriteTable& favouriteCells) {
  ClearFavouriteCells(favouriteCells);
  const platform::RecordFile file =
      platform::ReadLastRecords(path, kFavouriteRecordSize, kMostFavouriteRecords);
  for (std::size_t at = 0; at < file.records.size(); at += kFavouriteRecordSize) {
    const FavouriteCell cell = DecodeFavouriteCell(&file.records[at]);
    // A record for a cell the table does not have cannot be placed anywhere: pass it over.
    if (InTable(cell.column, cell.row)) favouriteCells[cell.column][cell.row] = cell;
  }
  return file.error;
}

std::vector<std::uint8_t> FavouriteFileContent(const FavouriteTable& favouriteCells, int gridColumns,
                                               int gridRows) {
  std::vector<std::uint8_t> content;
  content.reserve(static_cast<std::size_t>(gridColumns) * gridRows * kFavouriteRecordSize);
  for (int row = 0; row < gridRows; ++row) {
    for (int column = 0; column < gridColumns; ++column) {
      const auto record = EncodeFavouriteCell(favouriteCells[column][row]);
      content.insert(content.end(), record.begin(), record.end());
    }
  }
  return content;
}

bool SaveFavourites(const std::string& path, const FavouriteTable& favouriteCells, int gridColumns,
                    int gridRows, int languageIndex) {
  const platform::ReplaceResult result = platform::ReplaceWholeFile(
      path, FavouriteFileContent(favouriteCells, gridColumns, gridRows), platform::ReadOnlyTarget::kReplace);
  if (result.ok()) return true;
  ShowFileError(result.error, languageIndex);
  return false;
}

}  // namespace kalvor
