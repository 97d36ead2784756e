#include "command_line.h"

#include <optional>
#include <string_view>

#include "absolute_path.h"
#include "presort.h"

namespace kalvenor {

namespace {

// Every option of the tool, by its long name; `shortName` is 0 when the
// option has no one-letter form.
struct OptionSpec {
  std::string_view longName;
  char shortName;
  bool takesValue;
};

constexpr OptionSpec kOptions[] = {
    {"base", 'b', true},        {"index", 'i', true},  {"prefix", 0, false},
    {"postfix", 0, false},      {"sort", 's', true},   {"descending", 0, false},
    {"no-fill-gaps", 0, false}, {"log", 'l', true},    {"commit", 'c', false},
    {"undo-log", 0, true},      {"help", 'h', false},  {"version", 0, false},
};

const OptionSpec* FindLong(std::string_view name) {
  for (const OptionSpec& spec : kOptions)
    if (spec.longName == name) return &spec;
  return nullptr;
}

const OptionSpec* FindShort(char letter) {
  for (const OptionSpec& spec : kOptions)
    if (spec.shortName != 0 && spec.shortName == letter) return &spec;
  return nullptr;
}

// A base index is written with decimal digits only and lies in 0 to 9999.
std::optional<int> ParseIndex(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > 9999) return std::nullopt;
  return value;
}

constexpr char kNoCurrentFolder[] =
    "the current folder cannot be determined, so every path must be absolute";

// Collects the arguments; the checks that need all of them come after.
class Parser {
 public:
  explicit Parser(const std::string& cwd) : cwd_(cwd) {}

  CommandLine Parse(const std::vector<std::string>& args) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      const auto next = [&]() -> std::optional<std::string> {
        if (i + 1 >= args.size()) return std::nullopt;
        return args[++i];
      };
      if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
        folders_.push_back(arg);
      } else if (arg == "--") {
        optionsEnded = true;
      } else if (arg.starts_with("--")) {
        const std::string_view body = std::string_view(arg).substr(2);
        const std::size_t eq = body.find('=');
        const OptionSpec* spec = FindLong(body.substr(0, eq));
        if (spec == nullptr) return Fail("unknown option '" + arg + "'");
        std::optional<std::string> value;
        if (eq != std::string_view::npos) {
          if (!spec->takesValue)
            return Fail("option '--" + std::string(spec->longName) + "' takes no value");
          value = std::string(body.substr(eq + 1));
        } else if (spec->takesValue) {
          value = next();
        }
        if (!Apply(*spec, value)) return result_;
      } else {
        // One or more one-letter options; a letter that takes a value takes
        // the rest of the argument, or the next argument when nothing is left.
        for (std::size_t k = 1; k < arg.size(); ++k) {
          const OptionSpec* spec = FindShort(arg[k]);
          if (spec == nullptr)
            return Fail("unknown option '-" + std::string(1, arg[k]) + "'");
          std::optional<std::string> value;
          if (spec->takesValue) {
            value = k + 1 < arg.size() ? std::optional<std::string>(arg.substr(k + 1)) : next();
            k = arg.size();
          }
          if (!Apply(*spec, value)) return result_;
        }
      }
      if (result_.action == ToolAction::Help || result_.action == ToolAction::Version)
        return result_;
    }
    return Finish();
  }

 private:
  CommandLine Fail(std::string error) {
    result_.action = ToolAction::Error;
    result_.error = std::move(error);
    return result_;
  }

  // Records one option; false (with result_ holding the error) when it is wrong.
  bool Apply(const OptionSpec& spec, const std::optional<std::string>& value) {
    const std::string name = "--" + std::string(spec.longName);
    if (spec.takesValue && !value) {
      Fail("option '" + name + "' needs a value");
      return false;
    }
    RenameOptions& options = result_.options;
    if (spec.longName == "help") {
      result_.action = ToolAction::Help;
    } else if (spec.longName == "version") {
      result_.action = ToolAction::Version;
    } else if (spec.longName == "commit") {
      result_.commit = true;
    } else if (spec.longName == "undo-log") {
      if (value->empty()) {
        Fail("the log file of '--undo-log' must not be empty");
        return false;
      }
      undoLog_ = *value;
    } else {
      renameOptionGiven_ = name;
      if (spec.longName == "base") {
        if (value->empty()) {
          Fail("the base name must not be empty");
          return false;
        }
        options.baseName = *value;
      } else if (spec.longName == "index") {
        const std::optional<int> index = ParseIndex(*value);
        if (!index) {
          Fail("the base index must be a number from 0 to 9999, not '" + *value + "'");
          return false;
        }
        options.baseIndex = *index;
      } else if (spec.longName == "prefix") {
        options.postfix = false;
      } else if (spec.longName == "postfix") {
        options.postfix = true;
      } else if (spec.longName == "sort") {
        if (*value == "name") {
          options.sortType = kSortByName;
        } else if (*value == "date") {
          options.sortType = kSortByDate;
        } else if (*value == "type") {
          options.sortType = kSortByType;
        } else {
          Fail("the sort key must be name, date or type, not '" + *value + "'");
          return false;
        }
      } else if (spec.longName == "descending") {
        options.ascending = false;
      } else if (spec.longName == "no-fill-gaps") {
        options.fillGaps = false;
      } else if (spec.longName == "log") {
        if (value->empty()) {
          Fail("the log file of '--log' must not be empty");
          return false;
        }
        options.logPath = *value;
      }
    }
    return true;
  }

  // A relative path needs the current folder, which may have been removed.
  bool CanMakeAbsolute(const std::string& path) const {
    return path.empty() || path.front() == '/' || !cwd_.empty();
  }

  CommandLine Finish() {
    if (undoLog_) {
      if (!CanMakeAbsolute(*undoLog_)) return Fail(kNoCurrentFolder);
      if (!folders_.empty()) return Fail("'--undo-log' takes no FOLDER");
      if (!renameOptionGiven_.empty())
        return Fail("'--undo-log' cannot be combined with '" + renameOptionGiven_ + "'");
      result_.action = ToolAction::Undo;
      result_.undoLogPath = MakeAbsolutePath(*undoLog_, cwd_);
      return result_;
    }
    if (folders_.empty()) return Fail("no FOLDER given");
    if (folders_.size() > 1) return Fail("only one FOLDER may be given");
    if (folders_.front().empty()) return Fail("the FOLDER must not be empty");
    if (result_.options.baseName.empty()) return Fail("a base name is required (-b NAME)");
    if (!CanMakeAbsolute(folders_.front()) || !CanMakeAbsolute(result_.options.logPath))
      return Fail(kNoCurrentFolder);
    result_.action = ToolAction::Rename;
    result_.options.folder = MakeAbsolutePath(folders_.front(), cwd_);
    result_.options.logPath = MakeAbsolutePath(result_.options.logPath, cwd_);
    return result_;
  }

  const std::string& cwd_;
  CommandLine result_;
  std::vector<std::string> folders_;
  std::optional<std::string> undoLog_;
  std::string renameOptionGiven_;  // the last rename option seen, for the error text
};

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& cwd) {
  return Parser(cwd).Parse(args);
}

std::string UsageText() {
  return "usage: kalvenor-cli [OPTIONS] FOLDER\n"
         "       kalvenor-cli --undo-log FILE\n";
}

std::string HelpText() {
  return UsageText() +
         "Gives every file of FOLDER a new name in a numbered series: with the\n"
         "defaults a.jpg becomes Holiday0000.jpg. Without --commit only the plan\n"
         "is shown.\n"
         "\n"
         "  -b, --base NAME       base name (required, not empty)\n"
         "  -i, --index N         base index, 0 to 9999 (default 0)\n"
         "      --prefix          index before the base name\n"
         "      --postfix         index after the base name (the default)\n"
         "  -s, --sort KEY        presort: name (the default), date or type\n"
         "      --descending      presort downwards (default upwards)\n"
         "      --no-fill-gaps    number after the highest index of the series\n"
         "                        (default: fill gaps)\n"
         "  -l, --log FILE        append the batch to this log file\n"
         "  -c, --commit          carry the plan out (default: preview only)\n"
         "      --undo-log FILE   rename back the last batch recorded in FILE\n"
         "  -h, --help            show this help\n"
         "      --version         show the version\n"
         "\n"
         "Exit status: 0 done; 1 a limit stopped the run, or nothing to undo;\n"
         "2 bad arguments, a folder that cannot be renamed or an unusable log;\n"
         "3 a rename failed, or the log could not be written.\n";
}

std::string VersionText() { return "kalvenor-cli 2.0\n"; }

}  // namespace kalvenor
