// Other processes on Linux: posix_spawn, their output in a file of their own, waited for by polling.
#include "tests/support/processes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "tests/support/fault_env.h"
#include "tests/platform/posix/support/start_command.h"
#include "tests/support/temp_folder.h"

extern char** environ;

namespace kalvor::testing {

namespace {
constexpr auto kPollInterval = std::chrono::milliseconds(2);

std::string NewOutputFile() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kalvor-output-XXXXXX").string();
  const int fd = mkstemp(pattern.data());
  if (fd >= 0) close(fd);
  return pattern;
}
}  // namespace

struct Process::Handle {
  pid_t pid = -1;
  std::optional<int> exitCode;
  std::string outputPath = NewOutputFile();

  ~Handle() {
    if (pid > 0 && !exitCode) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    unlink(outputPath.c_str());
  }

  void Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
             const std::string& workingFolder) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(), O_WRONLY | O_APPEND, 0);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (!workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
};

Process::Process() = default;
Process::Process(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
Process::~Process() = default;
Process::Process(Process&&) noexcept = default;
Process& Process::operator=(Process&&) noexcept = default;

bool Process::Started() const {
  return handle_ && handle_->pid > 0;
}

std::optional<int> Process::WaitFor(std::chrono::milliseconds limit) {
  if (!Started()) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!handle_->exitCode) {
    int status = 0;
    if (waitpid(handle_->pid, &status, WNOHANG) == handle_->pid) {
      handle_->exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    } else if (std::chrono::steady_clock::now() >= deadline) {
      return std::nullopt;
    } else {
      std::this_thread::sleep_for(kPollInterval);
    }
  }
  return handle_->exitCode;
}

void Process::Kill() {
  if (!Started() || handle_->exitCode) return;
  kill(handle_->pid, SIGKILL);
  int status = 0;
  waitpid(handle_->pid, &status, 0);
  handle_->exitCode = 128 + SIGKILL;
}

std::string Process::Output() const {
  if (!handle_) return {};
  const std::vector<std::uint8_t> bytes = ReadBytes(handle_->outputPath);
  return std::string(bytes.begin(), bytes.end());
}

std::string CopyProgramInto(const std::string& folder) {
  const std::filesystem::path program(KALVOR_PROGRAM_FILE);
  const std::string copy = folder + program.filename().string();
  std::filesystem::copy_file(program, copy);
  return copy;
}

Process StartCommand(const std::vector<std::string>& command,
                     const std::optional<std::map<std::string, std::string>>& childValues,
                     const std::string& workingFolder) {
  auto handle = std::make_unique<Process::Handle>();
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  if (childValues) {
    for (const auto& [name, value] : ChildEnvironmentEntries(*childValues))
      environment.push_back(name + "=" + value);
  }
  handle->Spawn(command, environment, workingFolder);
  return Process(std::move(handle));
}

std::string ThisTestProgram() {
  return std::filesystem::read_symlink("/proc/self/exe").string();
}

std::string CurrentTestOnly() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return "--gtest_filter=" + std::string(info->test_suite_name()) + "." + info->name();
}

Process StartProgram(const std::string& program, const std::string& workingFolder) {
  return StartCommand({program}, std::nullopt, workingFolder);
}

Process StartThisTestInChild(const std::map<std::string, std::string>& values) {
  return StartCommand({ThisTestProgram(), CurrentTestOnly()}, values, "");
}

}  // namespace kalvor::testing
