// What each backend's files layer provides beneath the portable one. The portable code holds the
// sequence of a replacement, the loops over short reads and writes, the retries and the names of the
// temporary files; a backend only supplies the system calls below. None of them follows a symbolic
// link when writing: each acts on the entry that the path names. Numbers returned are FileError
// numbers, kErrNone on success.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/files.h"

namespace platform::native {

// The characters that end a folder in a path.
extern const char kPathSeparators[];

// What stands at a path (a link is reported as a link, not as what it points to).
struct Entry {
  bool exists = false;
  bool isFolder = false;
  bool isLink = false;
  bool readOnly = false;  // a regular file that its owner, or this process, may not write
};
Entry Inspect(const std::string& path);

// True when the system can take the path as a file's name at all (its length, its characters).
bool AcceptableName(const std::string& path);

// A folder whose entries are addressed by their bare names, so that a temporary file's name stays
// short however long the folder's path is.
struct Folder;
struct FolderCloser {
  void operator()(Folder* folder) const;
};
using FolderPtr = std::unique_ptr<Folder, FolderCloser>;

// `path` ends in a separator; "" is the current folder.
int OpenFolder(const std::string& path, FolderPtr& folder);
// The names in the folder, without "." and ".."; none when it cannot be read.
std::vector<std::string> FolderNames(Folder& folder);
// What stands at `name` in the folder.
Entry InspectIn(Folder& folder, const std::string& name);
// Removes a temporary file that no running program is writing any more; a live one is left alone.
void RemoveDeadTemporary(Folder& folder, const std::string& name);
// Makes the latest changes of names in the folder durable; failures are ignored.
void SyncFolder(Folder& folder);

// --- The steps a test can make fail (platform/file_faults.h) ---

// Opens an existing file for reading, shared, so that others may read, write or replace it
// meanwhile. Anything but a regular file (a pipe, device or folder) opens as no file: kErrNone with
// `file` left empty.
int OpenForReading(const std::string& path, FilePtr& file);
int Length(File& file, std::int64_t& length);
// Reads at most `size` bytes at `offset`; `got` 0 at the end of the file.
int ReadSome(File& file, std::int64_t offset, void* buffer, std::size_t size, std::size_t& got);

// Makes a new, empty file named `name` in the folder, open for writing and claimed as live until it
// is closed; fails when anything at all stands there, a dangling link included.
int CreateNewFile(Folder& folder, const std::string& name, FilePtr& file);
// Writes at most `size` bytes at the file's end; `written` 0 when no progress was made.
int WriteSome(File& file, const void* bytes, std::size_t size, std::size_t& written);
// Gives the file the permissions of the regular file `replaced` in the folder (who may read and write
// it), with write access for its owner added; nothing when that is missing or not a regular file.
// Failures are ignored: the content is what matters.
void TakePermissions(File& file, Folder& folder, const std::string& replaced);
// Makes the content durable on the disk and ends the writing (a flush or close that fails is a failed
// save). The file stays claimed as live until it is destroyed.
int Finish(File& file);
// Moves the finished file `from` over `to`, both in the folder, in one step, so that `to` is always
// either the old or the new file. A read-only file at `to` is replaced all the same, and stays
// read-only when the move fails; a link at `to` is replaced, not its target.
int MoveOver(Folder& folder, File& file, const std::string& from, const std::string& to);

// The system's own calls behind those steps. The steps forward to them (platform/native_steps.cpp);
// a test program links platform/file_faults.cpp in that file's place, which may fail a step first.
namespace system {
int OpenForReading(const std::string& path, FilePtr& file);
int Length(File& file, std::int64_t& length);
int ReadSome(File& file, std::int64_t offset, void* buffer, std::size_t size, std::size_t& got);
int CreateNewFile(Folder& folder, const std::string& name, FilePtr& file);
int WriteSome(File& file, const void* bytes, std::size_t size, std::size_t& written);
int Finish(File& file);
int MoveOver(Folder& folder, File& file, const std::string& from, const std::string& to);
}  // namespace system

}  // namespace platform::native
