// What the fault helpers share on every system: the values handed to a child run, and folder listings.
#include "tests/support/fault_env.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/temp_folder.h"

namespace kalvor::testing {

namespace {
constexpr const char* kChildFlag = "KALVOR_TEST_CHILD";
constexpr const char* kChildValuePrefix = "KALVOR_CHILD_";
}  // namespace

std::map<std::string, std::string> ChildEnvironmentEntries(const std::map<std::string, std::string>& values) {
  std::map<std::string, std::string> entries{{kChildFlag, "1"}};
  for (const auto& [name, value] : values) entries[kChildValuePrefix + name] = value;
  return entries;
}

bool InTestChild() {
  return getenv(kChildFlag) != nullptr;
}

std::string ChildValue(const std::string& name) {
  const char* value = getenv((kChildValuePrefix + name).c_str());
  return value == nullptr ? std::string() : std::string(value);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Utf8Path(folder))) {
    names.push_back(Utf8Of(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kalvor::testing
