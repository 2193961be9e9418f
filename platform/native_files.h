// What each backend's files layer provides beneath the portable one. platform/files.cpp holds the
// sequence of a replacement, the names of its temporary files and the injected faults; a backend only
// supplies the system calls below. None of them follows a symbolic link: each acts on the entry that
// the path names. Numbers returned are FileError numbers, kErrNone on success.
#pragma once

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

// The names in a folder ("" is the current folder), without "." and ".."; none when it cannot be read.
std::vector<std::string> FolderNames(const std::string& folder);

// A file made by CreateNewFile, open for writing.
struct NewFile;
struct NewFileCloser {
  void operator()(NewFile* file) const;  // closes it, when Finish has not
};
using NewFilePtr = std::unique_ptr<NewFile, NewFileCloser>;

// Makes a new, empty file at `path`; fails when anything at all stands there, a dangling link included.
int CreateNewFile(const std::string& path, NewFilePtr& file);
// Writes the whole content from the start of the file.
int WriteAll(NewFile& file, const std::vector<std::uint8_t>& content);
// Gives the file the permissions of the regular file at `replaced` (who may read and write it), with
// write access for its owner added; nothing when `replaced` is missing or not a regular file. Failures
// are ignored: the content is what matters.
void TakePermissions(NewFile& file, const std::string& replaced);
// Makes the content durable on the disk and closes the file.
int Finish(NewFilePtr file);
// Moves the file at `from` over `to` in one step, so that `to` is always either the old or the new
// file. A read-only file at `to` is replaced all the same; a link at `to` is replaced, not its target.
int MoveOver(const std::string& from, const std::string& to);
// Makes the latest changes of names in a folder durable; failures are ignored.
void SyncFolder(const std::string& folder);

}  // namespace platform::native
