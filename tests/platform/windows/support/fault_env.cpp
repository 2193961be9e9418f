// Real faults for the Windows build under Wine. Wine starts Linux programs too, so a small tmpfs is
// mounted by a Linux shell, and the program sees it through Wine's Z: drive (the Linux file system):
// a full disk reports ERROR_DISK_FULL, a read-only one ERROR_WRITE_PROTECT or ERROR_ACCESS_DENIED.
// A drive letter of its own (a link in the prefix's dosdevices) would serve a full disk as well, but
// once its mount is read-only Wine 8 creates no more windows in the process. Running as another user
// is what Wine cannot do here; a child run as the same user can.
#include "tests/support/fault_env.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>
#include <process.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>
#include <vector>

namespace kalvor::testing {

namespace {

constexpr std::size_t kFillerChunk = 4096;
constexpr const char* kChildPassed = "[  PASSED  ] 1 test.";
constexpr const char* kShell = "/bin/sh";
constexpr auto kLinuxCommandTimeout = std::chrono::seconds(30);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::string RandomName(const std::string& stem) {
  static std::mt19937 names{std::random_device{}()};
  return stem + "-" + std::to_string(names());
}

// The Linux side of a Windows path that Wine maps through its Z: drive ("/tmp/x" is "Z:\tmp\x").
std::string WindowsPathOf(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// Runs a shell script on the Linux side and waits for it. Wine cannot wait for a Linux process, so the
// script leaves its exit status in a file that is polled for.
bool RunOnLinux(const std::string& script) {
  const std::string base = "/tmp/" + RandomName("kalvor-linux");
  const std::string status = base + ".status";
  {
    std::ofstream file(WindowsPathOf(base + ".sh"), std::ios::binary);
    file << "(" << script << ") >/dev/null 2>&1\necho $? > " << status << ".part && mv " << status << ".part "
         << status << "\n";
  }
  const std::string scriptPath = base + ".sh";
  const char* arguments[] = {kShell, scriptPath.c_str(), nullptr};
  if (_spawnv(_P_NOWAIT, kShell, arguments) == -1) return false;
  const auto deadline = std::chrono::steady_clock::now() + kLinuxCommandTimeout;
  std::error_code ignored;
  while (!std::filesystem::exists(WindowsPathOf(status), ignored)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  int code = -1;
  std::ifstream(WindowsPathOf(status)) >> code;  // closed at once: Windows deletes no open file
  std::filesystem::remove(WindowsPathOf(status), ignored);
  std::filesystem::remove(WindowsPathOf(scriptPath), ignored);
  return code == 0;
}

bool UnderWinePrefix() {
  return getenv("WINEPREFIX") != nullptr;
}
}  // namespace

SmallTmpfs::SmallTmpfs(std::size_t bytes) {
  if (!UnderWinePrefix()) {
    reason_ = "a small disk is made through Wine's Linux side, and this test does not run under Wine";
    return;
  }
  mountPoint_ = "/tmp/" + RandomName("kalvor-tmpfs");
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  mounted_ =
      RunOnLinux("mkdir -p " + mountPoint_ + " && mount -t tmpfs -o " + options + " tmpfs " + mountPoint_);
  if (!mounted_) {
    reason_ = "mounting a small tmpfs is not permitted here (it needs root)";
    RunOnLinux("rmdir " + mountPoint_);
    return;
  }
  path_ = WindowsPathOf(mountPoint_) + "\\";
}

SmallTmpfs::~SmallTmpfs() {
  if (mounted_) RunOnLinux("umount -l " + mountPoint_ + "; rmdir " + mountPoint_);
}

bool SmallTmpfs::FillUp() {
  const int file =
      _open(File("filler").c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (file < 0) return false;
  const std::vector<char> chunk(kFillerChunk, 'x');
  unsigned size = static_cast<unsigned>(chunk.size());
  // Shrinking chunks so the last partial page is taken too.
  while (size > 0) {
    if (_write(file, chunk.data(), size) < 0) {
      if (errno != ENOSPC) break;
      size /= 2;
    }
  }
  _close(file);
  return size == 0;
}

bool SmallTmpfs::MakeReadOnly() {
  return mounted_ && RunOnLinux("mount -o remount,ro " + mountPoint_);
}

bool ReadOnlyFilesStopThisUser() {
  return true;
}

// Other users' permissions play no part here: RunThisTestUnprivileged says why.
void LetOthersReadOnly(const std::string&) {}
void GiveToUnprivilegedUser(const std::string&) {}

namespace {

std::string CurrentTestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(info->test_suite_name()) + "." + info->name();
}

std::vector<std::string> ChildEnvironment(const std::map<std::string, std::string>& values) {
  std::vector<std::string> environment;
  for (char** entry = _environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  for (const auto& [name, value] : ChildEnvironmentEntries(values)) environment.push_back(name + "=" + value);
  return environment;
}

struct Spawned {
  int status = -1;  // the exit code, -1 when it did not start
  std::string output;
};

// Runs this test program with the arguments and environment, its output going through a file.
Spawned SpawnThisProgram(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& environment) {
  const std::string program = std::filesystem::absolute(__argv[0]).string();
  std::vector<const char*> argv = {program.c_str()};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);
  std::vector<const char*> envp;
  for (const std::string& entry : environment) envp.push_back(entry.c_str());
  envp.push_back(nullptr);

  const std::string outputPath =
      (std::filesystem::temp_directory_path() / RandomName("kalvor-child")).string();
  std::fflush(stdout);
  std::fflush(stderr);
  const int output =
      _open(outputPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
  const int savedOut = _dup(1);
  const int savedErr = _dup(2);
  _dup2(output, 1);
  _dup2(output, 2);
  Spawned spawned;
  spawned.status = static_cast<int>(_spawnve(_P_WAIT, program.c_str(), argv.data(), envp.data()));
  _dup2(savedOut, 1);
  _dup2(savedErr, 2);
  _close(savedOut);
  _close(savedErr);
  _close(output);
  {
    std::ifstream file(outputPath, std::ios::binary);
    spawned.output.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  std::error_code ignored;
  std::filesystem::remove(outputPath, ignored);
  return spawned;
}

}  // namespace

ChildRun RunThisTestInChild(const std::map<std::string, std::string>& values, ChildUser user) {
  ChildRun run;
  if (user == ChildUser::kUnprivileged) {
    run.reason =
        "Wine runs the Windows program as root, which passes every permission check, and a Wine prefix "
        "serves only the user who owns it, so the run as another user is made on the Linux build only";
    return run;
  }
  const Spawned child = SpawnThisProgram({"--gtest_filter=" + CurrentTestName()}, ChildEnvironment(values));
  run.started = child.status != -1;
  run.exitCode = child.status;
  run.output = child.output;
  run.passed = child.status == 0 && child.output.find(kChildPassed) != std::string::npos;
  return run;
}

}  // namespace kalvor::testing
