// "settings.log": one 32-byte record of eight little-endian signed 32-bit integers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings.h"

namespace kalvor {

constexpr int kSettingsRecordSize = 32;
constexpr std::int32_t kSettingsIdMin = 111111;
constexpr std::int32_t kSettingsIdMax = 999999;

std::array<std::uint8_t, kSettingsRecordSize> EncodeSettingsRecord(const Settings& settings);
Settings DecodeSettingsRecord(const std::uint8_t* record);

// Fills the settings from the last complete record of the file, reading no other; leaves them as they
// are when the file cannot be read or holds fewer than 32 bytes. Shows nothing; returns the error
// number of a file that is there but could not be read (after about a second of retries), else 0.
int ReadSettings(const std::string& path, Settings& settings);

// The file's settings when it holds a record whose every value lies in its range. A missing,
// unreadable or damaged file counts as no settings file at all: nothing may be drawn with its values.
// `readError`, when given, receives what ReadSettings returned.
std::optional<Settings> ReadUsableSettings(const std::string& path, int* readError = nullptr);

// Draws a new settingsId (kept in memory whatever happens next), then replaces the file by one record.
// A failure is shown as a file error message; a file that cannot be created at all is reported as 52,
// "Bad file name or number". Returns true when the file was written.
bool WriteSettings(const std::string& path, Settings& settings);

// A settingsId drawn uniformly from 111111..999999 by a generator seeded from the time of day.
std::int32_t DrawSettingsId();

}  // namespace kalvor
