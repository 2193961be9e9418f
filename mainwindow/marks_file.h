// "mark.log": one 28-byte record per cell of the day table, placeholders included, each stamped with
// the settingsId the marks were made for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/program.h"
#include "calendar/day_cells.h"
#include "platform/files.h"

namespace kalvor {

// The same text in every language.
constexpr const char* kFileFormatError = "Error File format ...";
// The most records a save writes: 31 for each of at most 20 months.
constexpr int kMostMarkRecords = 620;

// Appends the record of one cell; a placeholder is written as an empty, unmarked, white record.
void AppendMarkRecord(std::vector<std::uint8_t>& content, const DayCell& cell, std::int32_t settingsId);

// Every record of the table, slot by slot and days 1..31: monthCount x 868 bytes.
std::vector<std::uint8_t> BuildMarksFile(const DayCells& dayCells, std::int32_t settingsId);

// Replaces the file by the whole table in one step, so a failure leaves the previous file as it was.
platform::ReplaceResult WriteMarksFile(const std::string& path, const DayCells& dayCells,
                                       std::int32_t settingsId);

// The Record command's part: writes the table and shows one file error message when that fails.
bool SaveMarks(const Program& program, const DayCells& dayCells);

enum class MarksLoad {
  kNoMarks,     // missing, unopenable or empty file
  kLoaded,      // every record read and applied
  kBadFormat,   // length not a multiple of 28, or past 620 records: nothing used, the file kept
  kForeign,     // a record made for other settings: the file deleted, every mark cleared
  kUnreadable,  // there, but not to be opened or read even after retrying: no marks, the file kept
};

// Re-creates `dayCells` for settings.monthCount and applies the file's records, without any window.
// A file longer than 620 records is taken as one of a wrong length: nothing past that is read.
// `readError`, when given, receives why an unreadable file could not be read.
MarksLoad ReadMarksFile(const std::string& path, const Settings& settings, DayCells& dayCells,
                        int* readError = nullptr);

// The main window's part: ReadMarksFile, plus the format error or the numbered file message.
void LoadMarks(const Program& program, DayCells& dayCells);

}  // namespace kalvor
