// What only a POSIX system has: its errno values, and pipes standing where a data file should be.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/posix/errno_map.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(FileErrors, SystemErrorsMapOntoTheProgramsNumbers) {
  const std::vector<std::pair<int, int>> cases = {
      {ENOSPC, 61}, {EDQUOT, 61},  {EACCES, 70},       {EPERM, 70},  {EROFS, 70},  {ETXTBSY, 70},
      {ENOENT, 76}, {ENOTDIR, 76}, {ENAMETOOLONG, 64}, {EINVAL, 64}, {EILSEQ, 64}, {EMFILE, 67},
      {ENFILE, 67}, {ENOMEM, 7},   {EIO, 72},          {EXDEV, 74},  {ENODEV, 68}, {ENXIO, 68},
      {EBADF, 52},  {EISDIR, 75},  {ELOOP, 75},        {0, 75},
  };
  for (const auto& [errnoValue, number] : cases) {
    EXPECT_EQ(platform::FileErrorFromErrno(errnoValue), number) << "errno " << errnoValue;
  }
}

TEST(RecordReader, APipeInTheDataFilesPlaceReadsAsNoFile) {
  // It must not block the program either.
  kalvor::testing::TempFolder folder;
  const std::string pipePath = folder.File("pipe.log");
  ASSERT_EQ(mkfifo(pipePath.c_str(), 0644), 0);
  EXPECT_FALSE(platform::RecordReader(pipePath).IsOpen());
}

}  // namespace
