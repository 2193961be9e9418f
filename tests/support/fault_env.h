// Real faults for tests, made by the machine instead of simulated. Each system has its side
// (tests/platform/posix/support, tests/platform/windows/support); under Wine the small disk is mounted by Wine's Linux side.
//
// A full disk, with a size-limited tmpfs (needs root and the right to mount):
//
//   SmallTmpfs disk(kSmallDiskBytes);
//   if (!disk.Mounted()) GTEST_SKIP() << disk.Reason();
//   WriteBytes(disk.File("settings.log"), old);   // the file that must survive
//   ASSERT_TRUE(disk.FillUp());                     // now every further write fails with ENOSPC
//   ... act, expect "Disk full" (61) and the old file unchanged ...
//   // `disk` unmounts itself at the end of the scope; MakeReadOnly() gives a read-only medium instead.
//
// Permission denied, as the unprivileged user "nobody" (root passes every permission check, so the
// test runs itself again as nobody and the body branches on which side it is on):
//
//   TEST(Suite, Name) {
//     if (InTestChild()) {                    // as nobody
//       const std::string folder = ChildValue("FOLDER");
//       ... act and EXPECT as usual ...
//       return;
//     }
//     TempFolder folder;                      // as root
//     ... write the old file, LetOthersReadOnly(folder.Path()) ...
//     const ChildRun run = RunThisTestUnprivileged({{"FOLDER", folder.Path()}});
//     if (!run.started) GTEST_SKIP() << run.reason;
//     EXPECT_TRUE(run.passed) << run.output;
//     ... check from root that the old file is unchanged ...
//   }
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace kalvor::testing {

class SmallTmpfs {
 public:
  explicit SmallTmpfs(std::size_t bytes);
  ~SmallTmpfs();
  SmallTmpfs(const SmallTmpfs&) = delete;
  SmallTmpfs& operator=(const SmallTmpfs&) = delete;

  bool Mounted() const { return mounted_; }
  // Why it could not be mounted, for GTEST_SKIP.
  const std::string& Reason() const { return reason_; }
  // Ends in '/'.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

  // Writes a filler file until the file system reports it is full; true when it did.
  bool FillUp();
  // Remounts the file system read-only; true when that worked.
  bool MakeReadOnly();

 private:
  std::string path_;
  std::string reason_;
  bool mounted_ = false;
  std::string mountPoint_;  // where Linux mounted it, where that differs from path_
};

// Whether a read-only file stops this user from writing it (root passes every permission check on
// Linux; Windows honours the read-only attribute for everyone).
bool ReadOnlyFilesStopThisUser();
// Gives everyone read and search access to a path owned by root, but no write access.
void LetOthersReadOnly(const std::string& path);
// Hands a path to the unprivileged user, so that it, not root, owns it.
void GiveToUnprivilegedUser(const std::string& path);

struct ChildRun {
  bool started = false;  // false: the machine cannot run the child this way (see reason)
  std::string reason;
  bool passed = false;  // the child ran exactly this test and it passed
  int exitCode = -1;    // -1 when the child did not exit by itself
  std::string output;   // what the child printed, for the failure message
};

enum class ChildUser { kSame, kUnprivileged };

// Runs the current test again in a child process, with `values` in its environment (read there with
// ChildValue): as this same user, for a test whose process must really die in the middle of its work,
// or as user nobody (in a copy of this test program, which needs root and setpriv).
ChildRun RunThisTestInChild(const std::map<std::string, std::string>& values, ChildUser user);
inline ChildRun RunThisTestUnprivileged(const std::map<std::string, std::string>& values) {
  return RunThisTestInChild(values, ChildUser::kUnprivileged);
}
// True inside the run started by RunThisTestInChild.
bool InTestChild();
// A value handed to the child; "" when absent.
std::string ChildValue(const std::string& name);

// The names in a folder, sorted: to check that a failure left nothing behind.
std::vector<std::string> FolderEntries(const std::string& folder);

// For the system's side of RunThisTestUnprivileged: the environment that marks the child and hands it
// `values`, as name and value pairs.
std::map<std::string, std::string> ChildEnvironmentEntries(const std::map<std::string, std::string>& values);

}  // namespace kalvor::testing
