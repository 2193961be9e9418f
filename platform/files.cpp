// The part of the files layer that is the same on every system: injected failures, then the
// backend's atomic replacement.
#include "platform/file_faults.h"
#include "platform/files.h"
#include "platform/native_files.h"

namespace platform {

namespace {
struct PendingFailure {
  int errorNumber = kErrNone;
  ReplaceStage stage = ReplaceStage::kNone;
  int count = 0;
};
PendingFailure pendingFailure;
}  // namespace

ReplaceResult ReplaceWholeFile(const std::string& path, const std::vector<std::uint8_t>& content) {
  if (pendingFailure.count > 0) {
    --pendingFailure.count;
    return ReplaceResult{pendingFailure.errorNumber, pendingFailure.stage};
  }
  return native::ReplaceFileAtomically(path, content);
}

namespace testing {
void InjectReplaceFailure(int errorNumber, ReplaceStage stage, int count) {
  pendingFailure = PendingFailure{errorNumber, stage, count};
}
}  // namespace testing

}  // namespace platform
