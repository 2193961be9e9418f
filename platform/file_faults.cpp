// The steps of the files layer for test programs: each may fail as a test asked, before the system's
// own call is made.
#include "platform/file_faults.h"

#include <array>
#include <atomic>

#include "platform/native_files.h"

namespace platform {

namespace {

constexpr std::size_t kStepCount = 6;

struct PendingFailure {
  std::atomic<int> errorNumber{kErrNone};
  std::atomic<int> count{0};
};
// Reading and saving may run on other threads in a test; the counts are taken atomically.
std::array<PendingFailure, kStepCount> pendingFailures;
std::function<void()> stopBeforeMove;
// Openings of one file by name; set by a test before the program runs.
std::string failingReadName;
PendingFailure failingRead;

// The injected error when the step is to fail this time, kErrNone otherwise.
int InjectedFailure(testing::FileStep step) {
  PendingFailure& pending = pendingFailures[static_cast<std::size_t>(step)];
  int count = pending.count.load();
  while (count > 0) {
    if (pending.count.compare_exchange_weak(count, count - 1)) return pending.errorNumber.load();
  }
  return kErrNone;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int InjectedReadFailure(const std::string& path) {
  if (failingReadName.empty() || !EndsWith(path, failingReadName)) return kErrNone;
  int count = failingRead.count.load();
  while (count > 0) {
    if (failingRead.count.compare_exchange_weak(count, count - 1)) return failingRead.errorNumber.load();
  }
  return kErrNone;
}

}  // namespace

namespace testing {

void InjectReadFailure(const std::string& fileName, int errorNumber, int count) {
  failingRead.count = 0;
  failingReadName = fileName;
  failingRead.errorNumber = errorNumber;
  failingRead.count = count;
}

void InjectFileFailure(FileStep step, int errorNumber, int count) {
  PendingFailure& pending = pendingFailures[static_cast<std::size_t>(step)];
  pending.count = 0;
  pending.errorNumber = errorNumber;
  pending.count = count;
}

void InjectReplaceFailure(int errorNumber, ReplaceStage stage, int count) {
  if (stage == ReplaceStage::kNone || count == 0) {
    for (PendingFailure& pending : pendingFailures) pending.count = 0;
    failingRead.count = 0;
    return;
  }
  InjectFileFailure(stage == ReplaceStage::kCreate ? FileStep::kCreate : FileStep::kWrite, errorNumber,
                    count);
}

void InjectStopBeforeMove(std::function<void()> stop) {
  stopBeforeMove = std::move(stop);
}

}  // namespace testing

namespace native {

using testing::FileStep;

int OpenForReading(const std::string& path, FilePtr& file) {
  if (const int error = InjectedFailure(FileStep::kOpenForReading)) return error;
  if (const int error = InjectedReadFailure(path)) return error;
  return system::OpenForReading(path, file);
}

int Length(File& file, std::int64_t& length) {
  return system::Length(file, length);
}

int ReadSome(File& file, std::int64_t offset, void* buffer, std::size_t size, std::size_t& got) {
  if (const int error = InjectedFailure(FileStep::kRead)) return error;
  return system::ReadSome(file, offset, buffer, size, got);
}

int CreateNewFile(Folder& folder, const std::string& name, FilePtr& file) {
  if (const int error = InjectedFailure(FileStep::kCreate)) return error;
  return system::CreateNewFile(folder, name, file);
}

int WriteSome(File& file, const void* bytes, std::size_t size, std::size_t& written) {
  if (const int error = InjectedFailure(FileStep::kWrite)) return error;
  return system::WriteSome(file, bytes, size, written);
}

int Finish(File& file) {
  if (const int error = InjectedFailure(FileStep::kFinish)) return error;
  return system::Finish(file);
}

int MoveOver(Folder& folder, File& file, const std::string& from, const std::string& to) {
  if (stopBeforeMove) {
    const std::function<void()> stop = stopBeforeMove;  // a stop may remove itself
    stop();
  }
  if (const int error = InjectedFailure(FileStep::kMove)) return error;
  return system::MoveOver(folder, file, from, to);
}

}  // namespace native

}  // namespace platform
