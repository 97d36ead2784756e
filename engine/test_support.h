// Helpers shared by the tests and benchmarks of every part: a real temporary
// folder that removes itself, and plain in-memory stand-ins for the Results
// list and the message sink. No test framework here: a helper that cannot
// do its job throws.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "message_sink.h"
#include "posix_file_system.h"
#include "rename_run.h"
#include "results_list.h"

namespace kalvenor::testing {

// A fresh folder named `prefix` plus a unique suffix, made in `parent` (or,
// when `parent` is empty, in $TMPDIR if absolute, else /tmp); removed with
// everything in it. Throws std::runtime_error when it cannot be made.
class TempDir {
 public:
  explicit TempDir(const std::string& prefix = "kalvenor-test-", const std::string& parent = {});
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Path() + "/" + name
  std::string Join(const std::string& name) const;
  // Creates (or truncates) the file `name` holding `content`.
  void MakeFile(const std::string& name, const std::string& content = {}) const;
  void MakeDir(const std::string& name) const;
  bool Exists(const std::string& name) const;
  std::string Read(const std::string& name) const;
  // The names in the folder, sorted by bytes.
  std::vector<std::string> Names() const;

 private:
  std::string m_path;
};

// The folder at `path` held open through `fs`; empty when it cannot be.
inline FolderHandle OpenHeld(FileSystem& fs, const std::string& path) {
  std::error_code error;
  return fs.OpenFolder(path, &error);
}

class VectorResults : public ResultsList {
 public:
  void Clear() override { lines.clear(); }
  void AddLine(const std::string& line) override { lines.push_back(line); }
  int Count() const override { return static_cast<int>(lines.size()); }
  void ScrollToTop(int index) override { scrolledTo = index; }
  void SetRedraw(bool on) override { redrawCalls.push_back(on); }

  std::vector<std::string> lines;
  int scrolledTo = -1;
  std::vector<bool> redrawCalls;
};

class RecordingMessages : public MessageSink {
 public:
  void ShowMessage(const std::string& text, MessageIcon icon) override {
    shown.emplace_back(text, icon);
    failures.emplace_back();
  }
  void ShowFailure(const std::string& text, MessageIcon icon, const Failure& failure) override {
    shown.emplace_back(text, icon);
    failures.push_back(failure);
  }
  std::vector<std::pair<std::string, MessageIcon>> shown;
  // Beside each message shown, the failure it told of (none for the others).
  std::vector<Failure> failures;
};

// Everything one run needs, wired to `fs`.
struct RunBench {
  explicit RunBench(FileSystem& fs) : ctx{results, messages, fs} {}
  RunOutcome Run(bool commit) { return RenameFiles(commit, options, ctx, batch); }

  VectorResults results;
  RecordingMessages messages;
  RenameOptions options;
  LastBatch batch;
  RenameContext ctx;
};

}  // namespace kalvenor::testing
