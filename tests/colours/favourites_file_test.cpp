#include "colours/favourites_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "colours/palette_drawing.h"
#include "platform/automation.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace kalvor {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr int kColumns = 13;
constexpr int kRows = 10;
constexpr int kEnglish = 5;
constexpr std::size_t kGridFileSize = 3120;

std::vector<std::uint8_t> Records(const std::vector<FavouriteCell>& cells) {
  std::vector<std::uint8_t> bytes;
  for (const FavouriteCell& cell : cells) {
    const auto record = EncodeFavouriteCell(cell);
    bytes.insert(bytes.end(), record.begin(), record.end());
  }
  return bytes;
}

FavouriteCell Cell(int column, int row, platform::Colour colour) {
  return {column * 25 + 1,
          column * 25 + 26,
          row * 25 + 1,
          row * 25 + 26,
          static_cast<std::int16_t>(column),
          static_cast<std::int16_t>(row),
          colour};
}

std::unique_ptr<FavouriteTable> DefaultGrid() {
  auto cells = std::make_unique<FavouriteTable>();
  ResetFavouriteCells(*cells, PaletteGeometry{});
  return cells;
}

TEST(FavouriteRecord, EncodesLittleEndianFieldsInFileOrder) {
  const FavouriteCell cell{-2, 0x01020304, 7, 0x7FFFFFFF, -1, 0x0102, 0x00ABCDEF};
  const std::vector<std::uint8_t> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01,
                                              0x07, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x7F,
                                              0xFF, 0xFF, 0x02, 0x01, 0xEF, 0xCD, 0xAB, 0x00};
  const auto record = EncodeFavouriteCell(cell);
  EXPECT_EQ(std::vector<std::uint8_t>(record.begin(), record.end()), expected);
  EXPECT_EQ(DecodeFavouriteCell(expected.data()), cell);
}

TEST(SaveFavourites, UntouchedGridGivesTheKnownFileAndTheSameFileTwice) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  const auto cells = DefaultGrid();
  ASSERT_TRUE(SaveFavourites(path, *cells, kColumns, kRows, kEnglish));
  const std::vector<std::uint8_t> first = ReadBytes(path);
  ASSERT_EQ(first.size(), kGridFileSize);
  const std::vector<std::uint8_t> cellZero = {0x01, 0x00, 0x00, 0x00, 0x1A, 0x00, 0x00, 0x00,
                                              0x01, 0x00, 0x00, 0x00, 0x1A, 0x00, 0x00, 0x00,
                                              0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00};
  EXPECT_EQ(std::vector<std::uint8_t>(first.begin(), first.begin() + 24), cellZero);
  // Row order: record 14 is column 0 of row 1.
  EXPECT_EQ(DecodeFavouriteCell(first.data() + 13 * 24), Cell(0, 1, 0xFFFFFF));
  EXPECT_EQ(DecodeFavouriteCell(first.data() + 129 * 24), Cell(12, 9, 0xFFFFFF));

  ASSERT_TRUE(SaveFavourites(path, *cells, kColumns, kRows, kEnglish));
  EXPECT_EQ(ReadBytes(path), first);
}

TEST(SaveFavourites, SavesOnlyTheGridAndReplacesAReadOnlyFile) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  WriteBytes(path, std::vector<std::uint8_t>(5000, 0x55));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  auto cells = DefaultGrid();
  (*cells)[20][20] = Cell(20, 20, 0x123456);  // held in memory, outside the grid
  (*cells)[4][7].colour = 0x00FF00;
  ASSERT_TRUE(SaveFavourites(path, *cells, kColumns, kRows, kEnglish));

  auto loaded = std::make_unique<FavouriteTable>();
  LoadFavourites(path, *loaded);
  EXPECT_EQ(ReadBytes(path).size(), kGridFileSize);
  EXPECT_EQ((*loaded)[4][7].colour, 0x00FF00u);
  EXPECT_EQ((*loaded)[20][20], FavouriteCell{});
}

TEST(LoadFavourites, PlacesRecordsByTheirOwnCellAndLaterRecordsWin) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  WriteBytes(path, Records({Cell(12, 9, 0x0000FF), Cell(3, 0, 0x00FF00), Cell(0, 5, 0xFF0000),
                            Cell(3, 0, 0x112233), Cell(40, 50, 0x445566)}));
  auto cells = std::make_unique<FavouriteTable>();
  (*cells)[1][1] = Cell(1, 1, 0xFFFFFF);  // left from before: must be emptied
  LoadFavourites(path, *cells);
  EXPECT_EQ((*cells)[12][9], Cell(12, 9, 0x0000FF));
  EXPECT_EQ((*cells)[0][5], Cell(0, 5, 0xFF0000));
  EXPECT_EQ((*cells)[3][0], Cell(3, 0, 0x112233));
  EXPECT_EQ((*cells)[40][50], Cell(40, 50, 0x445566));
  EXPECT_EQ((*cells)[1][1], FavouriteCell{});
}

TEST(LoadFavourites, PassesOverRecordsNamingCellsOutsideTheTable) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  WriteBytes(path, Records({Cell(51, 0, 0x111111), Cell(0, 51, 0x222222), Cell(-1, 2, 0x333333),
                            Cell(2, -1, 0x444444), Cell(32767, -32768, 0x555555), Cell(50, 50, 0x666666)}));
  auto cells = std::make_unique<FavouriteTable>();
  LoadFavourites(path, *cells);
  int placed = 0;
  for (const auto& column : *cells) {
    for (const FavouriteCell& cell : column) placed += cell == FavouriteCell{} ? 0 : 1;
  }
  EXPECT_EQ(placed, 1);
  EXPECT_EQ((*cells)[50][50].colour, 0x666666u);
}

TEST(LoadFavourites, ReadsWholeRecordsOnly) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  const auto grid = DefaultGrid();
  std::vector<std::uint8_t> bytes = FavouriteFileContent(*grid, kColumns, kRows);
  bytes.insert(bytes.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // 3130 bytes
  WriteBytes(path, bytes);
  auto cells = std::make_unique<FavouriteTable>();
  LoadFavourites(path, *cells);
  EXPECT_EQ(*cells, *grid);

  WriteBytes(path, {});
  LoadFavourites(path, *cells);
  EXPECT_EQ(*cells, FavouriteTable{});

  // Missing file: nothing loaded either.
  (*cells)[0][0] = Cell(0, 0, 0);
  LoadFavourites(folder.File("nothing here"), *cells);
  EXPECT_EQ(*cells, FavouriteTable{});
}

TEST(LoadFavourites, RandomFilesOnlyEverFillCellsNamedByTheirRecords) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> length(0, 3 * 24 * 51);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> small(0, 60);
  auto cells = std::make_unique<FavouriteTable>();
  for (int file = 0; file < 200; ++file) {
    std::vector<std::uint8_t> bytes(length(random));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      // Small column and row values half the time, so that many records land in the table.
      const bool columnOrRowLow = (i % 24 == 16 || i % 24 == 18) && file % 2 == 0;
      const bool columnOrRowHigh = (i % 24 == 17 || i % 24 == 19) && file % 2 == 0;
      bytes[i] = static_cast<std::uint8_t>(columnOrRowLow    ? small(random)
                                           : columnOrRowHigh ? 0
                                                             : byte(random));
    }
    WriteBytes(path, bytes);
    LoadFavourites(path, *cells);
    for (int column = 0; column < kFavouriteTableSide; ++column) {
      for (int row = 0; row < kFavouriteTableSide; ++row) {
        const FavouriteCell& cell = (*cells)[column][row];
        if (cell == FavouriteCell{}) continue;
        ASSERT_EQ(cell.column, column);
        ASSERT_EQ(cell.row, row);
      }
    }
  }
}

// Answers every message box that shows up, counting them and keeping the last text.
struct MessageBoxWatch {
  int seen = 0;
  std::string lastText;

  void Expect(int boxes) {
    for (int i = 0; i < boxes; ++i) {
      platform::automation::Then([this] {
        if (auto box = platform::automation::AnswerMessageBox(platform::MessageAnswer::kOk)) {
          ++seen;
          lastText = box->text;
        }
      });
    }
  }
};

TEST(SaveFavourites, AFailedSaveKeepsTheOldFileAndReportsOnce) {
  TempFolder folder;
  const std::string path = folder.File("Mis Colores.log");
  const std::vector<std::uint8_t> old = Records({Cell(0, 0, 0x0000FF)});
  WriteBytes(path, old);
  const auto cells = DefaultGrid();

  for (const platform::ReplaceStage stage :
       {platform::ReplaceStage::kCreate, platform::ReplaceStage::kWrite}) {
    MessageBoxWatch watch;
    // Room for a second box: a report per record would show up here.
    watch.Expect(2);
    platform::testing::InjectReplaceFailure(platform::kErrDiskFull, stage);
    EXPECT_FALSE(SaveFavourites(path, *cells, kColumns, kRows, kEnglish));
    EXPECT_EQ(watch.seen, 1);
    EXPECT_EQ(watch.lastText, "Err:  61 Disk full");
    EXPECT_EQ(platform::automation::PendingSteps(), 1u);
    platform::automation::ClearSteps();
    EXPECT_EQ(ReadBytes(path), old);
  }
}

}  // namespace
}  // namespace kalvor
