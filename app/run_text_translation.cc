#include "run_text_translation.h"

#include <QCoreApplication>
#include <QStringList>
#include <array>

namespace {

QString FromEngine(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// An English pattern split at its "%1".
struct Pattern {
  kalvenor::RunText text;
  QString before;
  QString after;
  bool hasPart;
};

const std::array<Pattern, kalvenor::kRunTextCount>& Patterns() {
  static const std::array<Pattern, kalvenor::kRunTextCount> kPatterns = [] {
    std::array<Pattern, kalvenor::kRunTextCount> made{};
    for (int i = 0; i < kalvenor::kRunTextCount; ++i) {
      const auto text = static_cast<kalvenor::RunText>(i);
      const QString pattern = FromEngine(kalvenor::RunTextPattern(text));
      const qsizetype at = pattern.indexOf(QLatin1String("%1"));
      made[static_cast<std::size_t>(i)] =
          at < 0 ? Pattern{text, pattern, QString(), false}
                 : Pattern{text, pattern.left(at), pattern.mid(at + 2), true};
    }
    return made;
  }();
  return kPatterns;
}

// The part of a Rename error: a cause's text, translated.
QString TranslateCauseText(const QString& part) {
  for (int i = 0; i < kalvenor::kCauseCount; ++i) {
    const auto cause = static_cast<kalvenor::Cause>(i);
    if (part == QLatin1String(kalvenor::CauseText(cause))) return CauseTranslation(cause);
  }
  return part;
}

}  // namespace

QString RunTextTranslation(kalvenor::RunText text) {
  using kalvenor::RunText;
  switch (text) {
    case RunText::NotRenamed:
      //: A file whose name is already in the series: its name, then this.
      return QCoreApplication::translate("RunTexts", "%1 -> Not Renamed");
    case RunText::IndexLimit:
      return QCoreApplication::translate("RunTexts", "Index exceeds limit.");
    case RunText::PreviewClosing:
      return QCoreApplication::translate("RunTexts", "Click Continue to do the above.");
    case RunText::DoneClosing:
      return QCoreApplication::translate("RunTexts", "Operations complete.");
    case RunText::FileCountLimit:
      return QCoreApplication::translate("RunTexts", "File count exceeds %1.");
    case RunText::StoppedBefore:
      return QCoreApplication::translate("RunTexts", "Stopped before %1.");
    case RunText::WithoutCaptureTime:
      return QCoreApplication::translate(
          "RunTexts", "Files without a capture time, ordered by their file time: %1");
    case RunText::RenameError:
      //: %1 is the cause, such as "access denied."
      return QCoreApplication::translate("RunTexts", "Rename error: %1");
    case RunText::CannotOpenLog:
      return QCoreApplication::translate("RunTexts", "Cannot open log file.");
    case RunText::CannotWriteLog:
      return QCoreApplication::translate("RunTexts", "Cannot write to log file %1.");
    case RunText::WritableByOthers:
      //: Why a log is not undone from: "Cannot undo from log file X: <this>."
      return QCoreApplication::translate("RunTexts", "users other than its owner may write to it");
    case RunText::OwnedByOther:
      return QCoreApplication::translate("RunTexts", "it belongs to another user");
    case RunText::NotRegularFile:
      return QCoreApplication::translate("RunTexts", "not a regular file");
    case RunText::LineTooLong:
      return QCoreApplication::translate("RunTexts", "line %1 is longer than any line of a log");
    case RunText::NotRenameLine:
      return QCoreApplication::translate("RunTexts", "line %1 is not a rename line");
    case RunText::NotUndoLine:
      return QCoreApplication::translate("RunTexts", "line %1 is not an undo line");
    case RunText::BrokenEscape:
      return QCoreApplication::translate("RunTexts", "line %1 holds a broken escape");
  }
  return QString();
}

QString CauseTranslation(kalvenor::Cause cause) {
  using kalvenor::Cause;
  switch (cause) {
    case Cause::Ok:
    case Cause::NoneGiven: return QCoreApplication::translate("RunTexts", "none given.");
    case Cause::FileNotFound: return QCoreApplication::translate("RunTexts", "file not found.");
    case Cause::BadPath: return QCoreApplication::translate("RunTexts", "bad path.");
    case Cause::TooManyOpenFiles:
      return QCoreApplication::translate("RunTexts", "too many open files.");
    case Cause::AccessDenied: return QCoreApplication::translate("RunTexts", "access denied.");
    case Cause::HardwareError: return QCoreApplication::translate("RunTexts", "hardware error.");
    case Cause::SharingViolation:
      return QCoreApplication::translate("RunTexts", "sharing violation.");
    case Cause::Unspecified: break;
  }
  return QCoreApplication::translate("RunTexts", "unspecified.");
}

QString TranslateRunText(const QString& shown) {
  // A file's plan line holds the arrow and matches no pattern but by a
  // name made to look like one; the texts without a part are matched
  // whole, those with a part by what stands before and after it.
  for (const Pattern& pattern : Patterns()) {
    if (!pattern.hasPart) {
      if (shown == pattern.before) return RunTextTranslation(pattern.text);
      continue;
    }
    if (shown.size() < pattern.before.size() + pattern.after.size() ||
        !shown.startsWith(pattern.before) || !shown.endsWith(pattern.after)) {
      continue;
    }
    QString part = shown.mid(pattern.before.size(),
                             shown.size() - pattern.before.size() - pattern.after.size());
    if (pattern.text == kalvenor::RunText::RenameError) part = TranslateCauseText(part);
    return RunTextTranslation(pattern.text).arg(part);
  }
  return shown;
}
