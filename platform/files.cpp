// The part of the files layer that is the same on every system: injected faults, the names of the
// temporary files, and the order of the steps of a replacement over the backend's system calls.
#include "platform/files.h"

#include <cstdio>
#include <random>

#include "platform/file_faults.h"
#include "platform/native_files.h"

namespace platform {

namespace {

struct PendingFailure {
  int errorNumber = kErrNone;
  ReplaceStage stage = ReplaceStage::kNone;
  int count = 0;
};
PendingFailure pendingFailure;
std::function<void()> stopBeforeMove;

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

// Removes the temporary files in `folder` whose names begin with `stem` (ours only, links included,
// never a folder).
void RemoveTemporaries(const std::string& folder, const std::string& stem) {
  for (const std::string& name : native::FolderNames(folder)) {
    if (!StartsWith(name, stem) || !EndsWith(name, kTemporarySuffix)) continue;
    if (!native::Inspect(folder + name).isFolder) RemoveFile(folder + name);
  }
}

struct Temporary {
  std::string path;
  native::NewFilePtr file;
  int error = kErrNone;
};

// A fresh name each time: a name already taken (by another running copy of the program, say) is left
// alone and another one tried.
Temporary CreateTemporary(const std::string& folder, const std::string& stem) {
  Temporary temporary;
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    temporary.path = folder + stem + RandomHex() + kTemporarySuffix;
    temporary.error = native::CreateNewFile(temporary.path, temporary.file);
    if (temporary.error == kErrNone || !native::Inspect(temporary.path).exists) break;
  }
  return temporary;
}

// Write, permissions, durability, and then the one step that makes the new file the file.
int FillAndMove(Temporary& temporary, const std::string& path, const std::vector<std::uint8_t>& content) {
  int error = native::WriteAll(*temporary.file, content);
  if (error == kErrNone) native::TakePermissions(*temporary.file, path);
  const int finishError = native::Finish(std::move(temporary.file));
  if (error != kErrNone) return error;
  if (finishError != kErrNone) return finishError;
  if (stopBeforeMove) stopBeforeMove();
  return native::MoveOver(temporary.path, path);
}

}  // namespace

ReplaceResult ReplaceWholeFile(const std::string& path, const std::vector<std::uint8_t>& content,
                               ReadOnlyTarget readOnly) {
  if (pendingFailure.count > 0) {
    --pendingFailure.count;
    return ReplaceResult{pendingFailure.errorNumber, pendingFailure.stage};
  }
  if (!native::AcceptableName(path)) return ReplaceResult{kErrBadFileName, ReplaceStage::kCreate};
  const native::Entry target = native::Inspect(path);
  if (target.isFolder) return ReplaceResult{kErrPathFileAccess, ReplaceStage::kCreate};
  if (target.readOnly && readOnly == ReadOnlyTarget::kRefuse) {
    return ReplaceResult{kErrPermissionDenied, ReplaceStage::kCreate};
  }

  const std::size_t nameStart = NameStart(path);
  const std::string folder = path.substr(0, nameStart);
  const std::string stem = TemporaryStem(path.substr(nameStart));
  RemoveTemporaries(folder, stem);
  Temporary temporary = CreateTemporary(folder, stem);
  if (temporary.error != kErrNone) return ReplaceResult{temporary.error, ReplaceStage::kCreate};
  const int error = FillAndMove(temporary, path, content);
  if (error != kErrNone) {
    RemoveFile(temporary.path);
    return ReplaceResult{error, ReplaceStage::kWrite};
  }
  native::SyncFolder(folder);
  return ReplaceResult{};
}

void RemoveLeftoverTemporaries(const std::string& folder) {
  RemoveTemporaries(folder, kTemporaryPrefix);
}

namespace testing {
void InjectReplaceFailure(int errorNumber, ReplaceStage stage, int count) {
  pendingFailure = PendingFailure{errorNumber, stage, count};
}

void InjectStopBeforeMove(std::function<void()> stop) {
  stopBeforeMove = std::move(stop);
}
}  // namespace testing

}  // namespace platform
