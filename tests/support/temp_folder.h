// A fresh program folder for one test, removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kalvor::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Ends in '/', like programFolder.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Paths are UTF-8 here, as everywhere in the program.
std::filesystem::path Utf8Path(const std::string& path);
std::string Utf8Of(const std::filesystem::path& path);

// Makes `folder` the current folder for the scope: bare bitmap names land there.
class InFolder {
 public:
  explicit InFolder(const std::string& folder);
  ~InFolder();
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::string previous_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool Exists(const std::string& path);

}  // namespace kalvor::testing
