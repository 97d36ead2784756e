// The engine's texts in the user's language. The engine writes its Results
// lines and messages in English (the log and the command line keep them);
// the window shows each through TranslateRunText, which knows every fixed
// text of the engine by its pattern (RunText in run_texts.h) and gives that
// text's translation with its variable part (a name, a path, a number, a
// cause) carried over. A line that is none of them, such as a file's plan
// line "a.jpg -> Holiday0000.jpg", is shown as the engine wrote it.
#pragma once

#include <QString>

#include "cause.h"
#include "run_texts.h"

// The translation of `text`'s pattern, "%1" where its part goes; an empty
// text for a RunText the window does not know.
QString RunTextTranslation(kalvenor::RunText text);
// The translation of a cause's text ("access denied.").
QString CauseTranslation(kalvenor::Cause cause);

// `shown` (a line or message of the engine, decoded for display) in the
// user's language.
QString TranslateRunText(const QString& shown);
