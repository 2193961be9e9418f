#include "colours/favourites_file.h"

#include "app/file_error.h"
#include "platform/files.h"

namespace kalvor {

namespace {

void PutLittleEndian(std::uint8_t* out, std::uint32_t value, int byteCount) {
  for (int i = 0; i < byteCount; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLittleEndian(const std::uint8_t* in, int byteCount) {
  std::uint32_t value = 0;
  for (int i = 0; i < byteCount; ++i) value |= static_cast<std::uint32_t>(in[i]) << (8 * i);
  return value;
}

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
  PutLittleEndian(&record[kLeftAt], static_cast<std::uint32_t>(cell.left), 4);
  PutLittleEndian(&record[kRightAt], static_cast<std::uint32_t>(cell.right), 4);
  PutLittleEndian(&record[kTopAt], static_cast<std::uint32_t>(cell.top), 4);
  PutLittleEndian(&record[kBottomAt], static_cast<std::uint32_t>(cell.bottom), 4);
  PutLittleEndian(&record[kColumnAt], static_cast<std::uint16_t>(cell.column), 2);
  PutLittleEndian(&record[kRowAt], static_cast<std::uint16_t>(cell.row), 2);
  PutLittleEndian(&record[kColourAt], cell.colour, 4);
  return record;
}

FavouriteCell DecodeFavouriteCell(const std::uint8_t* record) {
  FavouriteCell cell;
  cell.left = static_cast<std::int32_t>(GetLittleEndian(record + kLeftAt, 4));
  cell.right = static_cast<std::int32_t>(GetLittleEndian(record + kRightAt, 4));
  cell.top = static_cast<std::int32_t>(GetLittleEndian(record + kTopAt, 4));
  cell.bottom = static_cast<std::int32_t>(GetLittleEndian(record + kBottomAt, 4));
  cell.column = static_cast<std::int16_t>(GetLittleEndian(record + kColumnAt, 2));
  cell.row = static_cast<std::int16_t>(GetLittleEndian(record + kRowAt, 2));
  cell.colour = GetLittleEndian(record + kColourAt, 4);
  return cell;
}

void ClearFavouriteCells(FavouriteTable& favouriteCells) {
  for (auto& column : favouriteCells) column.fill(FavouriteCell{});
}

void LoadFavourites(const std::string& path, FavouriteTable& favouriteCells) {
  ClearFavouriteCells(favouriteCells);
  platform::RecordReader reader(path);
  if (!reader.IsOpen()) return;
  const std::int64_t recordCount = reader.Length() / kFavouriteRecordSize;
  std::array<std::uint8_t, kFavouriteRecordSize> record{};
  for (std::int64_t n = 0; n < recordCount; ++n) {
    if (!reader.ReadAt(n * kFavouriteRecordSize, record.data(), record.size())) return;
    const FavouriteCell cell = DecodeFavouriteCell(record.data());
    // A record for a cell the table does not have cannot be placed anywhere: pass it over.
    if (InTable(cell.column, cell.row)) favouriteCells[cell.column][cell.row] = cell;
  }
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
  const platform::ReplaceResult result =
      platform::ReplaceFile(path, FavouriteFileContent(favouriteCells, gridColumns, gridRows));
  if (result.ok()) return true;
  ShowFileError(result.error, languageIndex);
  return false;
}

}  // namespace kalvor
