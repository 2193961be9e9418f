// Reading records, the same on every system: the loop over short reads and the retries of a file that
// another program holds for a moment, over the backend's calls.
#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/files.h"
#include "platform/native_files.h"

namespace platform {

namespace {

// About a second, as a save waits for a file that a virus scanner or an indexer holds.
constexpr int kReadAttempts = 50;
constexpr auto kBetweenAttempts = std::chrono::milliseconds(20);

bool Missing(int error) {
  return error == kErrFileNotFound || error == kErrPathNotFound;
}

// One attempt: the whole of what is asked, or the reason it could not be had.
RecordFile ReadOnce(const std::string& path, int recordSize, int maxRecords) {
  RecordFile result;
  const RecordReader reader(path);
  if (!reader.IsOpen()) {
    const int error = reader.Error();
    result.state = error == kErrNone ? RecordFile::State::kNotAFile
                   : Missing(error)  ? RecordFile::State::kMissing
                                     : RecordFile::State::kUnreadable;
    if (result.state == RecordFile::State::kUnreadable) result.error = error;
    return result;
  }
  result.length = reader.Length();
  const std::int64_t records = std::min<std::int64_t>(result.length / recordSize, maxRecords);
  const std::int64_t first = result.length / recordSize - records;
  result.records.resize(static_cast<std::size_t>(records * recordSize));
  if (!reader.ReadAt(first * recordSize, result.records.data(), result.records.size())) {
    result.error = reader.Error() != kErrNone ? reader.Error() : kErrInputPastEnd;
    result.records.clear();
    result.state = RecordFile::State::kUnreadable;
    return result;
  }
  result.state = RecordFile::State::kRead;
  return result;
}

}  // namespace

RecordReader::RecordReader(const std::string& path) {
  error_ = native::OpenForReading(path, file_);
  if (file_ && (error_ = native::Length(*file_, length_)) != kErrNone) file_.reset();
}

RecordReader::~RecordReader() = default;

bool RecordReader::IsOpen() const {
  return file_ != nullptr;
}

std::int64_t RecordReader::Length() const {
  return file_ ? length_ : 0;
}

// Carries on after partial reads; stops at the end of the file.
bool RecordReader::ReadAt(std::int64_t offset, void* buffer, std::size_t size) const {
  if (!file_ || offset < 0) return false;
  auto* bytes = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    std::size_t got = 0;
    error_ =
        native::ReadSome(*file_, offset + static_cast<std::int64_t>(done), bytes + done, size - done, got);
    if (error_ != kErrNone || got == 0) return false;
    done += got;
  }
  return true;
}

RecordFile ReadLastRecords(const std::string& path, int recordSize, int maxRecords) {
  RecordFile result = ReadOnce(path, recordSize, maxRecords);
  for (int attempt = 1; attempt < kReadAttempts && result.state == RecordFile::State::kUnreadable;
       ++attempt) {
    std::this_thread::sleep_for(kBetweenAttempts);
    result = ReadOnce(path, recordSize, maxRecords);
  }
  return result;
}

}  // namespace platform
