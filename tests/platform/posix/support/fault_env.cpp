// Real faults made by a Linux machine: a small tmpfs, and the test run again in a child, as user nobody
// or killed in the middle of its work.
#include "tests/support/fault_env.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace kalvor::testing {

namespace {
constexpr const char* kUnprivilegedUser = "nobody";
constexpr const char* kChildPassed = "[  PASSED  ] 1 test.";
constexpr mode_t kReadOnlyForOthers = 0755;
constexpr std::size_t kFillerChunk = 4096;
constexpr std::size_t kReadChunk = 4096;

std::string MakeTempFolder(const std::string& stem) {
  std::string pattern = (std::filesystem::temp_directory_path() / (stem + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern + "/";
}

std::string Describe(int error) {
  return std::string(std::strerror(error));
}

struct ChildResult {
  bool spawned = false;
  int status = -1;
  std::string output;
};

// Runs a command with the given environment, collecting stdout and stderr together.
ChildResult Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);

  ChildResult result;
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
  pid_t child = 0;
  result.spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0;
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  char buffer[kReadChunk];
  ssize_t got = 0;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0) result.output.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipeEnds[0]);
  if (result.spawned) waitpid(child, &result.status, 0);
  return result;
}

bool ExitedCleanly(const ChildResult& result) {
  return result.spawned && WIFEXITED(result.status) && WEXITSTATUS(result.status) == 0;
}

std::vector<std::string> SetprivPrefix(const passwd& user) {
  return {"setpriv", "--reuid=" + std::to_string(user.pw_uid), "--regid=" + std::to_string(user.pw_gid),
          "--clear-groups", "--"};
}

std::vector<std::string> ChildEnvironment(const std::map<std::string, std::string>& values) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  for (const auto& [name, value] : ChildEnvironmentEntries(values)) environment.push_back(name + "=" + value);
  return environment;
}

std::string CurrentTestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(info->test_suite_name()) + "." + info->name();
}

// A copy of this test program in a folder everyone may read, wherever the build folder is.
std::string CopyOfThisProgram(const std::string& folder) {
  const std::string copy = folder + "test-program";
  std::filesystem::copy_file("/proc/self/exe", copy);
  chmod(folder.c_str(), kReadOnlyForOthers);
  chmod(copy.c_str(), kReadOnlyForOthers);
  return copy;
}
}  // namespace

SmallTmpfs::SmallTmpfs(std::size_t bytes) : path_(MakeTempFolder("kalvor-tmpfs")) {
  if (geteuid() != 0) {
    reason_ = "mounting a small tmpfs needs root, and this test runs as another user";
    return;
  }
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  if (mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
    reason_ = "mounting a small tmpfs is not permitted here (" + Describe(errno) + ")";
    return;
  }
  mounted_ = true;
}

SmallTmpfs::~SmallTmpfs() {
  if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  rmdir(path_.c_str());
}

bool SmallTmpfs::FillUp() {
  const int fd = open(File("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const std::vector<char> chunk(kFillerChunk, 'x');
  std::size_t size = chunk.size();
  // Shrinking chunks so the last partial page is taken too.
  while (size > 0) {
    if (write(fd, chunk.data(), size) < 0) {
      if (errno != ENOSPC) break;
      size /= 2;
    }
  }
  close(fd);
  return size == 0;
}

bool SmallTmpfs::MakeReadOnly() {
  return mounted_ && mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

bool ReadOnlyFilesStopThisUser() {
  return geteuid() != 0;
}

void LetOthersReadOnly(const std::string& path) {
  chmod(path.c_str(), kReadOnlyForOthers);
}

void GiveToUnprivilegedUser(const std::string& path) {
  if (const passwd* user = getpwnam(kUnprivilegedUser)) {
    if (chown(path.c_str(), user->pw_uid, user->pw_gid) != 0) ADD_FAILURE() << "chown " << path;
  }
}

namespace {

// Why the machine cannot run this test as nobody; "" when it can.
std::string WhyNotUnprivileged() {
  if (geteuid() != 0) return "switching to an unprivileged user needs root";
  const passwd* user = getpwnam(kUnprivilegedUser);
  if (user == nullptr) return "there is no user 'nobody' on this machine";
  std::vector<std::string> probe = SetprivPrefix(*user);
  probe.push_back("true");
  const ChildResult probed = Spawn(probe, ChildEnvironment({}));
  if (!ExitedCleanly(probed)) return "setpriv is missing or may not switch users here: " + probed.output;
  return {};
}

}  // namespace

ChildRun RunThisTestInChild(const std::map<std::string, std::string>& values, ChildUser user) {
  ChildRun run;
  std::vector<std::string> command;
  std::string copyFolder;
  if (user == ChildUser::kUnprivileged) {
    run.reason = WhyNotUnprivileged();
    if (!run.reason.empty()) return run;
    copyFolder = MakeTempFolder("kalvor-unprivileged");
    command = SetprivPrefix(*getpwnam(kUnprivilegedUser));
    command.push_back(CopyOfThisProgram(copyFolder));
  } else {
    command.push_back("/proc/self/exe");
  }
  command.push_back("--gtest_filter=" + CurrentTestName());
  const ChildResult child = Spawn(command, ChildEnvironment(values));
  if (!copyFolder.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(copyFolder, ignored);
  }

  run.started = child.spawned;
  run.output = child.output;
  run.exitCode = child.spawned && WIFEXITED(child.status) ? WEXITSTATUS(child.status) : -1;
  run.passed = ExitedCleanly(child) && child.output.find(kChildPassed) != std::string::npos;
  return run;
}

}  // namespace kalvor::testing
