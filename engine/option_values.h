// Where a run reads the user's choices. The folder and base name are read
// from their boxes at every run; the other choices are those taken at the
// last Start. The log path is not read from here but from the LogPathBox.
#pragma once

#include "rename_options.h"

namespace kalvenor {

class OptionValues {
 public:
  virtual ~OptionValues() = default;
  // Every field but logPath, which the run takes from the LogPathBox.
  virtual RenameOptions CurrentOptions() const = 0;
};

}  // namespace kalvenor
