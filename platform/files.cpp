// The part of the files layer that is the same on every system: the names of the temporary files,
// the loop over short writes and the order of the steps of a replacement over the backend's calls.
#include "platform/files.h"

#include <cstdio>
#include <random>

#include "platform/native_files.h"

namespace platform {

namespace {

constexpr const char* kTemporaryPrefix = ".kalvor-";
constexpr const char* kTemporarySuffix = ".tmp";
constexpr int kTemporaryNameAttempts = 100;

std::size_t NameStart(const std::string& path) {
  const std::size_t separator = path.find_last_of(native::kPathSeparators);
  return separator == std::string::npos ? 0 : separator + 1;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// FNV-1a: the same target always gets the same stem, whatever the run, so its leftovers are found.
std::uint64_t NameHash(const std::string& name) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

std::string Hex(std::uint64_t value, int digits) {
  char text[17];
  std::snprintf(text, sizeof text, "%0*llx", digits, static_cast<unsigned long long>(value));
  return text;
}

// ".kalvor-<16 hex digits of the target's name>-": what every temporary file of that target begins with.
std::string TemporaryStem(const std::string& targetName) {
  return kTemporaryPrefix + Hex(NameHash(targetName), 16) + "-";
}

std::string RandomHex() {
  static std::mt19937 random{std::random_device{}()};
  return Hex(random(), 8);
}

// Removes the temporary files in the folder whose names begin with `stem` (ours only, links included,
// never a folder, never one that a running copy still claims).
void RemoveTemporaries(native::Folder& folder, const std::string& stem) {
  for (const std::string& name : native::FolderNames(folder)) {
    if (!StartsWith(name, stem) || !EndsWith(name, kTemporarySuffix)) continue;
    if (!native::InspectIn(folder, name).isFolder) native::RemoveDeadTemporary(folder, name);
  }
}

struct Temporary {
  std::string name;
  native::FilePtr file;
  int error = kErrNone;
};

// A fresh name each time: a name already taken (by another running copy of the program, say) is left
// alone and another one tried.
Temporary CreateTemporary(native::Folder& folder, const std::string& stem) {
  Temporary temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary.name = stem + RandomHex() + kTemporarySuffix;
    temporary.error = native::CreateNewFile(folder, temporary.name, temporary.file);
    if (temporary.error == kErrNone || !native::InspectIn(folder, temporary.name).exists) break;
  }
  return temporary;
}

// Carries on after partial writes.
int WriteAll(native::File& file, const std::vector<std::uint8_t>& content) {
  std::size_t done = 0;
  while (done < content.size()) {
    std::size_t written = 0;
    const int error = native::WriteSome(file, content.data() + done, content.size() - done, written);
    if (error != kErrNone) return error;
    if (written == 0) return kErrDiskMediaError;  // no progress and no reason given: a device fault
    done += written;
  }
  return kErrNone;
}

// Write, permissions, durability, and then the one step that makes the new file the file.
int FillAndMove(native::Folder& folder, Temporary& temporary, const std::string& targetName,
                const std::vector<std::uint8_t>& content) {
  const int error = WriteAll(*temporary.file, content);
  if (error != kErrNone) return error;
  native::TakePermissions(*temporary.file, folder, targetName);
  const int finishError = native::Finish(*temporary.file);
  if (finishError != kErrNone) return finishError;
  return native::MoveOver(folder, *temporary.file, temporary.name, targetName);
}

ReplaceResult CheckTarget(const std::string& path, ReadOnlyTarget readOnly) {
  if (!native::AcceptableName(path)) return ReplaceResult{kErrBadFileName, ReplaceStage::kCreate};
  const native::Entry target = native::Inspect(path);
  if (target.isFolder) return ReplaceResult{kErrPathFileAccess, ReplaceStage::kCreate};
  if (target.readOnly && readOnly == ReadOnlyTarget::kRefuse) {
    return ReplaceResult{kErrPermissionDenied, ReplaceStage::kCreate};
  }
  return ReplaceResult{};
}

}  // namespace

ReplaceResult ReplaceWholeFile(const std::string& path, const std::vector<std::uint8_t>& content,
                               ReadOnlyTarget readOnly) {
  if (const ReplaceResult refused = CheckTarget(path, readOnly); !refused.ok()) return refused;
  const std::size_t nameStart = NameStart(path);
  const std::string targetName = path.substr(nameStart);
  native::FolderPtr folder;
  if (const int error = native::OpenFolder(path.substr(0, nameStart), folder); error != kErrNone) {
    return ReplaceResult{error, ReplaceStage::kCreate};
  }
  const std::string stem = TemporaryStem(targetName);
  RemoveTemporaries(*folder, stem);
  Temporary temporary = CreateTemporary(*folder, stem);
  if (temporary.error != kErrNone) return ReplaceResult{temporary.error, ReplaceStage::kCreate};
  const int error = FillAndMove(*folder, temporary, targetName, content);
  if (error != kErrNone) {
    temporary.file.reset();  // no longer claimed, so it can go
    native::RemoveDeadTemporary(*folder, temporary.name);
    return ReplaceResult{error, ReplaceStage::kWrite};
  }
  native::SyncFolder(*folder);
  return ReplaceResult{};
}

void RemoveLeftoverTemporaries(const std::string& folderPath) {
  native::FolderPtr folder;
  if (native::OpenFolder(folderPath, folder) == kErrNone) RemoveTemporaries(*folder, kTemporaryPrefix);
}

}  // namespace platform
