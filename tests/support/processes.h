// Other processes beside a test: the built program, copied into the folder a test gives it, and this
// test program run again for the current test (see InTestChild in fault_env.h), started and left to
// run while the test goes on, so that two copies of the program meet.
#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace kalvor::testing {

// Copies the built program into `folder` (ending in the separator), as a user unpacks it there.
// Returns the copy's path.
std::string CopyProgramInto(const std::string& folder);

class Process {
 public:
  struct Handle;  // the system's process and its output file, defined by each system's side

  Process();
  explicit Process(std::unique_ptr<Handle> handle);
  ~Process();  // ends it at once if it still runs
  Process(Process&&) noexcept;
  Process& operator=(Process&&) noexcept;

  bool Started() const;
  // Waits at most `limit` for it to end: its exit code, or nullopt while it still runs.
  std::optional<int> WaitFor(std::chrono::milliseconds limit);
  // Ends it at once, as a crash would (SIGKILL; TerminateProcess), and waits until it has.
  void Kill();
  // What it printed so far.
  std::string Output() const;

 private:
  std::unique_ptr<Handle> handle_;
};

// Starts a program file without arguments, with this process's environment, in `workingFolder`.
Process StartProgram(const std::string& program, const std::string& workingFolder);
// Starts this test program again for the current test only, with `values` for ChildValue.
Process StartThisTestInChild(const std::map<std::string, std::string>& values);

}  // namespace kalvor::testing
