// One running Kalvor per program folder. Two copies over the same data files would each save what they
// hold and lose what the other recorded, so a start in a folder that a running copy already holds only
// brings that copy's window to the front, and ends.
//
// The claim is an object of the operating system that dies with its process (no lock file): a copy
// that crashed or was killed never stands in the way of the next start.
#pragma once

#include <memory>
#include <string>

namespace platform {

class FolderClaim {
 public:
  // Claims `folder` (ending in the path separator) for this process. When another process holds it
  // already, asks that one to bring its newest open window to the front and holds nothing.
  explicit FolderClaim(const std::string& folder);
  ~FolderClaim();
  FolderClaim(const FolderClaim&) = delete;
  FolderClaim& operator=(const FolderClaim&) = delete;

  // True when this process holds the folder. While it does, a later start in the same folder brings
  // this process's newest open window (a message box, the colour chooser or the newest dialog) to the
  // front, whichever loop is running.
  bool Held() const;

 private:
  struct Impl;  // the system's object and the way other copies reach it, defined by each backend
  std::unique_ptr<Impl> impl_;
};

// The name under which copies in `folderKey` meet: "kalvor-" and 16 hex digits standing for the key.
// Each backend passes the folder as its system compares folders (Windows: without regard to case).
std::string FolderClaimName(const std::string& folderKey);

}  // namespace platform
