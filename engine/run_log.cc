#include "run_log.h"

#include "log_format.h"

namespace kalvenor {

RunLog::RunLog(FileSystem& fs, MessageSink& messages, LogPathBox& logBox)
    : fs_(fs), messages_(messages), logBox_(logBox) {}

RunLog::~RunLog() {
  if (handle_ >= 0) fs_.CloseLog(handle_);
}

void RunLog::Open(const std::string& path, bool undo) {
  if (path.empty() || handle_ >= 0) return;
  std::string resolved;
  handle_ = fs_.OpenLog(path, &resolved, &id_);
  if (handle_ < 0) {
    messages_.ShowMessage("Cannot open log file.", MessageIcon::Exclamation);
    return;
  }
  path_ = resolved;
  logBox_.SetLogPath(resolved);
  Write(LogHeaderLine(fs_.LocalNow(), undo));
}

bool RunLog::Write(std::string_view line) {
  if (handle_ < 0 || writeFailed_) return false;
  if (fs_.AppendToLog(handle_, line) == Cause::Ok) return true;
  writeFailed_ = true;
  messages_.ShowMessage("Cannot write to log file " + path_ + ".", MessageIcon::Exclamation);
  return false;
}

}  // namespace kalvenor
