// Without /proc Linux cannot say where the running program lies. The program then says so and ends;
// it never takes the working folder for its own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>

#include "app/startup.h"
#include "platform/automation.h"
#include "platform/executable_folder.h"
#include "tests/support/fault_env.h"
#include "tests/platform/posix/support/start_command.h"
#include "tests/support/temp_folder.h"

namespace kalvor::testing {
namespace {

namespace automation = platform::automation;

constexpr auto kChildRunsWithin = std::chrono::seconds(60);
constexpr int kCannotHideProc = 77;
// Mounts an empty file system over /proc for the child alone, in a mount namespace of its own.
constexpr const char* kWithoutProc = "mount -t tmpfs none /proc || exit 77; exec \"$0\" \"$1\"";

TEST(ProgramFolderWithoutProc, TheNumberedMessageAndAnEndWithoutWriting) {
  if (InTestChild()) {
    EXPECT_FALSE(platform::ExecutableFolder().has_value());
    std::optional<automation::SeenMessageBox> seen;
    automation::Then([&seen] { seen = automation::AnswerMessageBox(platform::MessageAnswer::kOk); });
    // A window opened in the message's place is closed again, so that the run ends.
    automation::Then([] {
      for (const std::string& caption : automation::OpenWindowCaptions()) {
        if (platform::Window* window = automation::WindowWithCaption(caption)) window->End(0);
      }
    });
    EXPECT_EQ(RunKalvor(platform::ExecutableFolder()), kUnknownProgramFolderExitCode);
    automation::ClearSteps();
    ASSERT_TRUE(seen.has_value()) << "no message was shown";
    EXPECT_EQ(seen->text, "Err:  76 Path not found");
    EXPECT_EQ(seen->caption, "Programador");
    EXPECT_TRUE(automation::OpenWindowCaptions().empty());
    return;
  }
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer cannot start a program without /proc";
#endif
  if (geteuid() != 0) GTEST_SKIP() << "a mount namespace without /proc needs root";
  TempFolder working;
  Process child = StartCommand({"unshare", "--mount", "--propagation", "private", "--", "sh", "-c",
                                kWithoutProc, ThisTestProgram(), CurrentTestOnly()},
                               std::map<std::string, std::string>{}, working.Path());
  ASSERT_TRUE(child.Started());
  const std::optional<int> exitCode = child.WaitFor(kChildRunsWithin);
  if (exitCode == kCannotHideProc) GTEST_SKIP() << "mounting over /proc is not permitted here";
  EXPECT_EQ(exitCode, 0) << child.Output();
  EXPECT_NE(child.Output().find("[  PASSED  ] 1 test."), std::string::npos) << child.Output();
  EXPECT_TRUE(FolderEntries(working.Path()).empty());
}

}  // namespace
}  // namespace kalvor::testing
