// Files as the program sees them: whole records at offsets, atomic replacement, and every failure as
// one of the program's numbered file errors. Paths are UTF-8 and absolute or relative to the current
// folder; each backend converts them to what its system takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace native {
struct File;  // the system's open file, defined by each backend
struct FileCloser {
  void operator()(File* file) const;
};
using FilePtr = std::unique_ptr<File, FileCloser>;
}  // namespace native

// The numbered file errors the program reports, with the failures they stand for.
enum FileError : int {
  kErrNone = 0,
  kErrIllegalFunctionCall = 5,  // invalid parameter
  kErrOutOfMemory = 7,          // not enough memory
  kErrInternal = 51,            // bad format, invalid data, bad length
  kErrBadFileNumber = 52,       // file not open
  kErrFileNotFound = 53,        // file not found
  kErrDeviceIo = 57,            // invalid handle
  kErrDiskFull = 61,            // disk full
  kErrInputPastEnd = 62,        // end of file reached
  kErrBadFileName = 64,         // path not acceptable as a file name
  kErrTooManyFiles = 67,        // too many open files
  kErrDeviceUnavailable = 68,   // invalid drive, unknown unit
  kErrPermissionDenied = 70,    // access denied, write-protected medium, lock violation
  kErrDiskNotReady = 71,        // drive not ready
  kErrDiskMediaError = 72,      // read or write fault, general failure
  kErrRenameAcrossDisks = 74,   // not the same device
  kErrPathFileAccess = 75,      // any other failure
  kErrPathNotFound = 76,        // path not found
};


// True when the attributes of the path can be read (any entry counts, a folder included).
bool FileExists(const std::string& path);

// Clears read-only (and any other special) attributes so the file can be replaced or deleted.
// Failures are ignored. A symbolic link is left as it is: the file it points to is never changed.
void SetArchiveOnly(const std::string& path);

// Deletes a file; returns false when it could not (missing included). A symbolic link is deleted
// itself, never the file it points to.
bool RemoveFile(const std::string& path);

// Read access to a file of fixed-length records. Never reads more than asked for. Only regular files
// open: a pipe, device or folder standing in a data file's place reads as a file that cannot be opened.
class RecordReader {
 public:
  explicit RecordReader(const std::string& path);
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  bool IsOpen() const;
  // Why the file did not open, or why its length or the last read failed; kErrNone otherwise (also
  // for something that is not a regular file, which is no failure of the disk).
  int Error() const { return error_; }
  // Length in bytes, or 0 when the file is not open.
  std::int64_t Length() const;
  // Reads exactly `size` bytes at `offset`; false on a short read or an error.
  bool ReadAt(std::int64_t offset, void* buffer, std::size_t size) const;

 private:
  native::FilePtr file_;
  std::int64_t length_ = 0;
  mutable int error_ = kErrNone;
};

// A data file read whole or not at all.
struct RecordFile {
  enum class State {
    kMissing,     // nothing there: not an error
    kNotAFile,    // a folder, pipe or device in the file's place: reads as no file
    kRead,        // `records` holds what was read
    kUnreadable,  // it is there but could not be opened or read, even after retrying: `error` says why
  };
  State state = State::kMissing;
  int error = kErrNone;               // why a kUnreadable file could not be read; kErrNone otherwise
  std::int64_t length = 0;            // of the whole file
  std::vector<std::uint8_t> records;  // the last whole records, at most `maxRecords` of them
};

// Reads the last `maxRecords` whole records of a file of `recordSize`-byte records, and no byte past
// them however long the file is. A file that is there but cannot be opened or read (held by another
// program, an I/O error) is tried again for about a second, as saves are.
RecordFile ReadLastRecords(const std::string& path, int recordSize, int maxRecords);

// Where a replacement failed: the new file could not be created, or its content could not be
// written completely (or moved into place).
enum class ReplaceStage { kNone, kCreate, kWrite };

struct ReplaceResult {
  int error = kErrNone;  // one of FileError
  ReplaceStage stage = ReplaceStage::kNone;
  bool ok() const { return error == kErrNone; }
};

// What a replacement does with an existing file that is read-only.
enum class ReadOnlyTarget {
  kReplace,  // the program's data files: a read-only file is replaced like any other
  kRefuse,   // a file the user names: a read-only one is a failed save (70, at kCreate), left as it is
};

// Replaces the file at `path` by `content` atomically: the complete new content is written to a
// temporary file beside the old one and then moved over it, so on any failure the previous file stays
// exactly as it was and no temporary file is left. Every backend behaves alike:
// - The new file keeps the permissions of the file it replaces (who may read and write it), made
//   writable by its owner; a file made anew gets the system's default permissions.
// - A symbolic link at `path` is replaced by the new file; the file it points to is never written or
//   changed.
// - A folder at `path` fails at kCreate with 75, "Path/file access error".
// - Temporary files are named ".kalvor-" + 16 hex digits that stand for the target's name + "-" + 8
//   random hex digits + ".tmp". A replacement first removes what earlier replacements of the same
//   target left when the process was killed, so such leftovers cannot pile up: one per target at most.
//   A temporary file that another running copy is still writing or moving is claimed by it and left
//   alone.
// - The temporary file is named relative to the folder, so a folder whose path is near the system's
//   limit saves wherever its files load.
ReplaceResult ReplaceWholeFile(const std::string& path, const std::vector<std::uint8_t>& content,
                               ReadOnlyTarget readOnly);

// Removes every temporary file that interrupted replacements left in `folder` (ending in the path
// separator), but none that a running copy still claims: the program cleans its own folder this way
// when it starts.
void RemoveLeftoverTemporaries(const std::string& folder);

}  // namespace platform
