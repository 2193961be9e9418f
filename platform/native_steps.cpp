// The steps of reading and replacing a file, as the program takes them: straight to the system. Test
// programs link platform/file_faults.cpp instead of this file, which can make any step fail first;
// the program carries no such hook.
#include "platform/native_files.h"

namespace platform::native {

int OpenForReading(const std::string& path, FilePtr& file) {
  return system::OpenForReading(path, file);
}

int Length(File& file, std::int64_t& length) {
  return system::Length(file, length);
}

int ReadSome(File& file, std::int64_t offset, void* buffer, std::size_t size, std::size_t& got) {
  return system::ReadSome(file, offset, buffer, size, got);
}

int CreateNewFile(Folder& folder, const std::string& name, FilePtr& file) {
  return system::CreateNewFile(folder, name, file);
}

int WriteSome(File& file, const void* bytes, std::size_t size, std::size_t& written) {
  return system::WriteSome(file, bytes, size, written);
}

int Finish(File& file) {
  return system::Finish(file);
}

int MoveOver(Folder& folder, File& file, const std::string& from, const std::string& to) {
  return system::MoveOver(folder, file, from, to);
}

}  // namespace platform::native
