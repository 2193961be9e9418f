// Other processes on Windows (and under Wine): CreateProcessW on this thread's desktop, where the test's
// windows are, so that a second copy finds the first; their output in a file of their own.
#include "tests/support/processes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <vector>

#include "platform/windows/unicode.h"
#include "tests/support/fault_env.h"
#include "tests/support/temp_folder.h"

namespace kalvor::testing {

namespace {

using platform::windows::Narrow;
using platform::windows::Widen;

constexpr DWORD kKilledExitCode = 137;

std::string CurrentTestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(info->test_suite_name()) + "." + info->name();
}

// The built program's path as Wine shows the Linux file system, through its Z: drive.
std::string BuiltProgram() {
  std::string path = KALVOR_PROGRAM_FILE;
  if (path.front() != '/') return path;
  path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::wstring ThisDesktop() {
  wchar_t name[256] = {};
  DWORD needed = 0;
  if (!GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name,
                                 &needed)) {
    return {};
  }
  return name;
}

// This process's environment and `extra` entries, as CreateProcessW takes it.
std::wstring EnvironmentBlock(const std::map<std::string, std::string>& extra) {
  std::wstring block;
  wchar_t* const strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != L'\0'; entry += wcslen(entry) + 1) {
    block.append(entry).push_back(L'\0');
  }
  FreeEnvironmentStringsW(strings);
  for (const auto& [name, value] : extra) block.append(Widen(name + "=" + value)).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

HANDLE InheritableFile(const std::wstring& path, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                     creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

struct Process::Handle {
  HANDLE process = nullptr;
  std::optional<int> exitCode;
  std::wstring outputPath =
      (std::filesystem::temp_directory_path() / ("kalvor-output-" + std::to_string(GetTickCount64()) + "-" +
                                                 std::to_string(reinterpret_cast<std::uintptr_t>(this))))
          .wstring();

  ~Handle() {
    if (process != nullptr) {
      if (!exitCode) {
        TerminateProcess(process, kKilledExitCode);
        WaitForSingleObject(process, INFINITE);
      }
      CloseHandle(process);
    }
    DeleteFileW(outputPath.c_str());
  }

  void Spawn(const std::string& program, const std::string& arguments, const std::wstring* environment,
             const std::string& workingFolder) {
    std::wstring commandLine = L"\"" + Widen(program) + L"\" " + Widen(arguments);
    std::wstring desktop = ThisDesktop();
    const std::wstring folder = Widen(workingFolder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop.empty() ? nullptr : desktop.data();
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritableFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = InheritableFile(outputPath, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = startup.hStdOutput;
    PROCESS_INFORMATION created{};
    const bool started = CreateProcessW(Widen(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        environment ? CREATE_UNICODE_ENVIRONMENT : 0,
                                        environment ? const_cast<wchar_t*>(environment->data()) : nullptr,
                                        folder.empty() ? nullptr : folder.c_str(), &startup, &created);
    CloseHandle(startup.hStdInput);
    CloseHandle(startup.hStdOutput);
    if (!started) {
      ADD_FAILURE() << "CreateProcessW failed with error " << GetLastError() << ": " << program;
      return;
    }
    CloseHandle(created.hThread);
    process = created.hProcess;
  }
};

Process::Process() = default;
Process::Process(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
Process::~Process() = default;
Process::Process(Process&&) noexcept = default;
Process& Process::operator=(Process&&) noexcept = default;

bool Process::Started() const {
  return handle_ && handle_->process != nullptr;
}

std::optional<int> Process::WaitFor(std::chrono::milliseconds limit) {
  if (!Started()) return std::nullopt;
  if (!handle_->exitCode) {
    if (WaitForSingleObject(handle_->process, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
      return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(handle_->process, &code);
    handle_->exitCode = static_cast<int>(code);
  }
  return handle_->exitCode;
}

void Process::Kill() {
  if (!Started() || handle_->exitCode) return;
  TerminateProcess(handle_->process, kKilledExitCode);
  WaitForSingleObject(handle_->process, INFINITE);
  handle_->exitCode = static_cast<int>(kKilledExitCode);
}

std::string Process::Output() const {
  if (!handle_) return {};
  const std::vector<std::uint8_t> bytes = ReadBytes(Utf8Of(handle_->outputPath));
  return std::string(bytes.begin(), bytes.end());
}

std::string CopyProgramInto(const std::string& folder) {
  const std::filesystem::path program = Utf8Path(BuiltProgram());
  const std::string copy = folder + Utf8Of(program.filename());
  std::filesystem::copy_file(program, Utf8Path(copy));
  return copy;
}

Process StartProgram(const std::string& program, const std::string& workingFolder) {
  auto handle = std::make_unique<Process::Handle>();
  handle->Spawn(program, "", nullptr, workingFolder);
  return Process(std::move(handle));
}

Process StartThisTestInChild(const std::map<std::string, std::string>& values) {
  auto handle = std::make_unique<Process::Handle>();
  std::wstring self(MAX_PATH, L'\0');
  self.resize(GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
  const std::wstring environment = EnvironmentBlock(ChildEnvironmentEntries(values));
  handle->Spawn(Narrow(self), "--gtest_filter=" + CurrentTestName(), &environment, "");
  return Process(std::move(handle));
}

}  // namespace kalvor::testing
