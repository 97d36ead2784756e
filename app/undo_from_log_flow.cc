#include "undo_from_log_flow.h"

#include <QPointer>

#include "app_texts.h"
#include "display_text.h"
#include "form_dialogs.h"
#include "log_format.h"
#include "log_history.h"
#include "read_pool.h"
#include "run_text_translation.h"

UndoFromLogFlow::UndoFromLogFlow(kalvenor::FileSystem& fs, ReadPool& reads, FormDialogs& dialogs,
                                 QObject* parent)
    : QObject(parent), m_fs(fs), m_reads(reads), m_dialogs(dialogs) {}

void UndoFromLogFlow::Begin(const std::string& currentLog) {
  if (m_active) return;
  m_active = true;
  const std::uint64_t flow = ++m_flow;
  m_dialogs.AskUndoLogFileName(DisplayText(currentLog),
                               [self = QPointer(this), flow](const QString& chosen) {
                                 if (self != nullptr && flow == self->m_flow) {
                                   self->OnChosen(chosen);
                                 }
                               });
}

void UndoFromLogFlow::Abandon() {
  ++m_flow;
  m_active = false;
}

void UndoFromLogFlow::End() {
  ++m_flow;
  m_active = false;
}

void UndoFromLogFlow::OnChosen(const QString& chosen) {
  if (chosen.isEmpty()) {
    End();
    return;
  }
  const std::string logPath = PathBytes(chosen);
  const std::uint64_t flow = m_flow;
  const auto alive = [self = QPointer(this), flow] {
    return self != nullptr && flow == self->m_flow;
  };
  m_reads.Run(
      this, [&fs = m_fs, logPath] { return kalvenor::ReadUndoFromLog(fs, logPath); },
      [this, alive, logPath](const kalvenor::UndoFromLog& undo) {
        if (!alive()) return;
        const auto end = [self = QPointer(this), alive] {
          if (alive()) self->End();
        };
        switch (undo.refusal) {
          case kalvenor::UndoFromLog::Refusal::None: break;
          case kalvenor::UndoFromLog::Refusal::NothingToUndo:
            m_dialogs.ShowMessage(AppTexts::NothingToUndo(), kalvenor::MessageIcon::Exclamation,
                                  end);
            return;
          case kalvenor::UndoFromLog::Refusal::Untrusted:
          case kalvenor::UndoFromLog::Refusal::Unreadable:
          case kalvenor::UndoFromLog::Refusal::NotUnderstood:
            m_dialogs.ShowMessage(
                AppTexts::CannotUndoFromLog(DisplayText(kalvenor::EscapeLogPath(logPath)),
                                            TranslateRunText(DisplayText(undo.reason))),
                kalvenor::MessageIcon::Exclamation, end);
            return;
        }
        const QString files = AppTexts::FileCount(static_cast<qsizetype>(undo.batch.Size()));
        m_dialogs.AskYesNo(AppTexts::UndoFromLogQuestion(files, DisplayText(undo.time)),
                           [self = QPointer(this), alive, logPath, batch = undo.batch](bool yes) {
                             if (!alive()) return;
                             self->End();
                             if (yes) emit self->confirmed(logPath, batch);
                           });
      });
}
