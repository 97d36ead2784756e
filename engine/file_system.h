// FileSystem is the engine's one door to the operating system: the folder a
// run works in, its scan and renames, the rename log, and the clock. The run
// is plain logic over this interface. PosixFileSystem is the real thing;
// FileSystemWrapper forwards every call to another FileSystem so that a test
// overrides just the call it wants to fail.
//
// Folders and logs are handed out as small integer handles (>= 0) that the
// caller owns and gives back with CloseFolder / CloseLog (HeldFolder below
// and RunLog do that by scope). Names are byte strings, never converted.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "cause.h"
#include "rename_options.h"

namespace kalvenor {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens the folder at `path` and holds it, so that every later call on
  // the handle acts on this very folder even if it is moved or replaced by
  // name meanwhile. Gives a handle >= 0, or -1 with `*cause` set.
  virtual int OpenFolder(const std::string& path, Cause* cause) = 0;
  virtual void CloseFolder(int folder) = 0;

  // Appends to `out` one entry per file of the folder (everything but
  // directories and links to directories), in the order the folder lists
  // them, with name, stem, ext and id filled in (id: the folder's device
  // and the inode the listing gives). `time` is filled in only `withTimes`,
  // since it costs one stat per file; otherwise it is 0. False when the
  // folder cannot be read; `out` may then hold what was read before.
  virtual bool ListFiles(int folder, bool withTimes, std::vector<FileEntry>& out) = 0;

  // Renames `from` to `to` inside the folder. Never replaces an existing
  // entry named `to`: that gives AccessDenied. Both must be plain names
  // (no '/'); the caller checks this. Gives Cause::Ok on success.
  virtual Cause RenameNoReplace(int folder, const std::string& from, const std::string& to) = 0;

  // The device and inode of the entry `name` of the folder (links not
  // followed; "." names the folder itself). Gives Cause::Ok on success.
  virtual Cause Identify(int folder, const std::string& name, FileId* id) = 0;

  // Opens the log at `path` for appending, creating it when missing, and
  // takes it exclusively. Gives a handle >= 0 with `*resolvedPath` set to
  // the absolute path of the opened file and `*id` to its identity, or -1
  // when it cannot be opened (missing folder, a folder, no access, held by
  // another holder, not a regular file). A log whose last line lacks its
  // line end gets it first, so that the next line starts a line of its own.
  virtual int OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) = 0;

  // Hands `bytes` to the kernel at the end of the log in one write, with no
  // buffering in between. Gives Cause::Ok only when every byte was written;
  // otherwise the bytes that did reach the log are taken back out of it.
  virtual Cause AppendToLog(int log, std::string_view bytes) = 0;
  virtual void CloseLog(int log) = 0;

  // The current local time.
  virtual std::tm LocalNow() = 0;
};

// The real file system of this machine.
class PosixFileSystem : public FileSystem {
 public:
  int OpenFolder(const std::string& path, Cause* cause) override;
  void CloseFolder(int folder) override;
  bool ListFiles(int folder, bool withTimes, std::vector<FileEntry>& out) override;
  Cause RenameNoReplace(int folder, const std::string& from, const std::string& to) override;
  Cause Identify(int folder, const std::string& name, FileId* id) override;
  int OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) override;
  Cause AppendToLog(int log, std::string_view bytes) override;
  void CloseLog(int log) override;
  std::tm LocalNow() override;
};

// Forwards every call to `target`, which it does not own.
class FileSystemWrapper : public FileSystem {
 public:
  explicit FileSystemWrapper(FileSystem& target) : target_(target) {}

  int OpenFolder(const std::string& path, Cause* cause) override {
    return target_.OpenFolder(path, cause);
  }
  void CloseFolder(int folder) override { target_.CloseFolder(folder); }
  bool ListFiles(int folder, bool withTimes, std::vector<FileEntry>& out) override {
    return target_.ListFiles(folder, withTimes, out);
  }
  Cause RenameNoReplace(int folder, const std::string& from, const std::string& to) override {
    return target_.RenameNoReplace(folder, from, to);
  }
  Cause Identify(int folder, const std::string& name, FileId* id) override {
    return target_.Identify(folder, name, id);
  }
  int OpenLog(const std::string& path, std::string* resolvedPath, FileId* id) override {
    return target_.OpenLog(path, resolvedPath, id);
  }
  Cause AppendToLog(int log, std::string_view bytes) override {
    return target_.AppendToLog(log, bytes);
  }
  void CloseLog(int log) override { target_.CloseLog(log); }
  std::tm LocalNow() override { return target_.LocalNow(); }

 protected:
  FileSystem& target_;
};

// A folder handle held for one scope. Valid() is false when the open failed.
class HeldFolder {
 public:
  HeldFolder(FileSystem& fs, const std::string& path) : fs_(fs) {
    handle_ = fs_.OpenFolder(path, &cause_);
  }
  ~HeldFolder() {
    if (handle_ >= 0) fs_.CloseFolder(handle_);
  }
  HeldFolder(const HeldFolder&) = delete;
  HeldFolder& operator=(const HeldFolder&) = delete;

  bool Valid() const { return handle_ >= 0; }
  int Handle() const { return handle_; }
  Cause OpenCause() const { return cause_; }

 private:
  FileSystem& fs_;
  int handle_ = -1;
  Cause cause_ = Cause::Ok;
};

}  // namespace kalvenor
