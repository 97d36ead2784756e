// Where the engine's output goes when it runs from the command line: the
// Results lines to standard output, one per line, and each message to
// standard error behind the tool's name. Both remember what they saw, so
// that the tool can choose its exit status afterwards. Neither owns its
// stream.
#pragma once

#include <ostream>
#include <string>

#include "message_sink.h"
#include "results_list.h"

namespace kalvenor {

// The line a preview closes with, and what the tool prints instead.
inline constexpr char kPreviewClosingLine[] = "Click Continue to do the above.";
inline constexpr char kToolPreviewClosingLine[] = "Run again with --commit to do the above.";
inline constexpr char kFileCountLimitLine[] = "File count exceeds 9999.";
inline constexpr char kIndexLimitLine[] = "Index exceeds limit.";

// One Results line as the tool prints it, without its line end: the
// preview's closing line is reworded, a line holding a line break or a
// backslash is escaped as in the log (so that it stays one output line),
// and every other line is given byte for byte.
std::string FormatResultsLine(const std::string& line);

// Writes every line as it is added, so that the plan and a message about a
// failed rename appear in the order they happened. A run empties the list
// before it writes, and nothing has been written then, so Clear only
// restarts the count.
class ConsoleResults : public ResultsList {
 public:
  explicit ConsoleResults(std::ostream& out) : out_(out) {}

  void Clear() override { count_ = 0; }
  void AddLine(const std::string& line) override;
  int Count() const override { return count_; }
  void ScrollToTop(int) override {}
  // Resuming the repainting is the end of a run's output: flush it then.
  void SetRedraw(bool on) override;

  // Whether a limit stopped the run ("File count exceeds 9999." or
  // "Index exceeds limit." was written).
  bool LimitReached() const { return limitReached_; }

 private:
  std::ostream& out_;
  int count_ = 0;
  bool limitReached_ = false;
};

// Writes "kalvenor-cli: " and the message text exactly, on a line of its
// own. Standard output is flushed first so that the two streams interleave
// in order on a terminal.
class ConsoleMessages : public MessageSink {
 public:
  ConsoleMessages(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  void ShowMessage(const std::string& text, MessageIcon icon) override;

  // Whether any message was shown: every message of the engine reports a
  // failure (a rename, or opening or writing the log).
  bool AnyShown() const { return count_ > 0; }
  int Count() const { return count_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  int count_ = 0;
};

}  // namespace kalvenor
