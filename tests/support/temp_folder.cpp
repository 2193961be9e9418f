#include "tests/support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace kalvor::testing {

namespace {
constexpr int kNameAttempts = 100;
}  // namespace

// Paths are UTF-8, as the program's are, on every system.
std::filesystem::path Utf8Path(const std::string& path) {
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8Of(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

// A new folder of a random name in the system's temporary folder; create_directory tells a clash.
TempFolder::TempFolder() {
  static std::mt19937 names{std::random_device{}()};
  for (int attempt = 0; attempt < kNameAttempts && path_.empty(); ++attempt) {
    const std::filesystem::path candidate =
        std::filesystem::temp_directory_path() / ("kalvor-test-" + std::to_string(names()));
    if (std::filesystem::create_directory(candidate)) path_ = Utf8Of(candidate) + "/";
  }
  if (path_.empty()) throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(Utf8Path(path_), std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(Utf8Path(path_), ignored);
}

InFolder::InFolder(const std::string& folder) : previous_(Utf8Of(std::filesystem::current_path())) {
  std::filesystem::current_path(Utf8Path(folder));
}

InFolder::~InFolder() {
  std::filesystem::current_path(Utf8Path(previous_));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::exists(Utf8Path(path), ignored);
}

}  // namespace kalvor::testing
