// Where the engine's output goes when it runs from the command line: the
// Results lines to standard output, one per line, and each message to
// standard error behind the tool's name. Neither owns its stream.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "failure.h"
#include "message_sink.h"
#include "results_list.h"

namespace kalvenor {

// What the tool prints where the window says "Click Continue to do the above.".
inline constexpr std::string_view kToolPreviewClosingLine =
    "Run again with --commit to do the above.";

// Text (a Results line, a path in a message) as the tool prints it, so
// that it stays one line and no name can steer a terminal: a backslash,
// line feed and carriage return are escaped as in the log ("\\", "\n",
// "\r"); every other character that would act instead of being seen (C0
// and C1 controls, DEL, the bytes 0x80 to 0x9f outside UTF-8, line and
// paragraph separators, bidirectional embeddings, overrides and isolates:
// FirstShownCharacter) is written as "\xhh" for each of its bytes. All
// else is given byte for byte, other bytes outside UTF-8 included.
std::string DisplayText(std::string_view text);

// What the tool adds to a message about `failure`, without the
// parentheses it writes around it: the paths it holds, quoted, and the
// system's text, e.g. "'/photos/a.jpg' -> '/photos/0001Holiday.jpg': File
// exists" or "No space left on device".
std::string FailureDetail(const Failure& failure);

// One Results line as the tool prints it, without its line end.
std::string FormatResultsLine(const std::string& line);

// Writes every line as it is added, so that the plan and a message about a
// failed rename appear in the order they happened. A run empties the list
// before it writes, and nothing has been written then, so Clear only
// restarts the count.
class ConsoleResults : public ResultsList {
 public:
  explicit ConsoleResults(std::ostream& out) : m_out(out) {}

  void Clear() override { m_count = 0; }
  void AddLine(const std::string& line) override;
  void AddPreviewClosingLine() override { AddLine(std::string(kToolPreviewClosingLine)); }
  int Count() const override { return m_count; }
  void ScrollToTop(int /*index*/) override {}
  // Resuming the repainting is the end of a run's output: flush it then.
  void SetRedraw(bool on) override;

 private:
  std::ostream& m_out;
  int m_count = 0;
};

// Writes "kalvenor-cli: " and the message text (as DisplayText shows it:
// a path in it may hold any byte), on a line of its own; a message about a
// failure gets " (<FailureDetail>)" after it. Standard output is flushed
// first so that the two streams interleave in order on a terminal.
class ConsoleMessages : public MessageSink {
 public:
  ConsoleMessages(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

  void ShowMessage(const std::string& text, MessageIcon icon) override;
  void ShowFailure(const std::string& text, MessageIcon icon, const Failure& failure) override;

 private:
  std::ostream& m_out;
  std::ostream& m_err;
};

}  // namespace kalvenor
