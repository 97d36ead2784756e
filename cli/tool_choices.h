// The choices of one tool run as the engine reads them: the options come
// from the command line and stay fixed for the run; the log path is the
// one named on the command line, replaced by the absolute path of the
// opened file once the engine has opened it. Nothing is persisted: the
// tool reads and writes no settings.
#pragma once

#include <string>
#include <utility>

#include "log_path_box.h"
#include "option_values.h"

namespace kalvenor {

class FixedOptions : public OptionValues {
 public:
  explicit FixedOptions(RenameOptions options) : options_(std::move(options)) {}
  RenameOptions CurrentOptions() const override { return options_; }

 private:
  RenameOptions options_;
};

class ToolLogPath : public LogPathBox {
 public:
  explicit ToolLogPath(std::string path) : path_(std::move(path)) {}
  std::string GetLogPath() const override { return path_; }
  void SetLogPath(const std::string& path) override { path_ = path; }
  // A terminal has no window caption to show it in.
  void SetDocumentTitle(const std::string&) override {}

 private:
  std::string path_;
};

}  // namespace kalvenor
