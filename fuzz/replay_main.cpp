// Replays a fuzz target's corpus without libFuzzer (any compiler): every file under the folders or
// files given on the command line is fed to the target once. Used by the test suite.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int Replay(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path target(argv[i]);
    if (std::filesystem::is_directory(target)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(target)) {
        if (entry.is_regular_file()) replayed += Replay(entry.path());
      }
    } else if (std::filesystem::is_regular_file(target)) {
      replayed += Replay(target);
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;
}
