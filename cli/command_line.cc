#include "command_line.h"

#include <getopt.h>

#include <optional>
#include <string_view>

#include "absolute_path.h"
#include "base_index.h"
#include "kalvenor_version.h"
#include "presort.h"
#include "rename_plan.h"

namespace kalvenor {

namespace {

// Every option of the tool, by its long name (each a string literal, so
// getopt_long can take it as a C string). `id` is what getopt_long
// returns for it: the one-letter form where there is one, otherwise a value
// above every character, so that each option is told apart by its id alone.
struct OptionSpec {
  std::string_view longName;
  int id;
  bool takesValue;
  // The fewest letters an abbreviation of an option added later must have,
  // so that every abbreviation that worked before it keeps its meaning
  // ("--s" stays "--sort" beside "--sets").
  std::size_t shortestAbbreviation = 1;
};

constexpr int kNoLetter = 256;

constexpr OptionSpec kOptions[] = {
    {"base", 'b', true},
    {"index", 'i', true},
    {"prefix", kNoLetter + 0, false},
    {"postfix", kNoLetter + 1, false},
    {"sort", 's', true},
    {"descending", kNoLetter + 2, false},
    {"no-fill-gaps", kNoLetter + 3, false},
    {"log", 'l', true},
    {"commit", 'c', false},
    {"undo-log", kNoLetter + 4, true},
    {"help", 'h', false},
    {"version", kNoLetter + 5, false},
    {"history", kNoLetter + 6, true},
    {"sets", kNoLetter + 7, false, 2},
    {"keep-hidden", kNoLetter + 8, false},
};

const OptionSpec* FindId(int id) {
  for (const OptionSpec& spec : kOptions)
    if (spec.id == id) return &spec;
  return nullptr;
}

// How many options a long option written as `name` (without "--" and any
// "=value") may stand for as an abbreviation, each with its shortest
// abbreviation; `only` learns the last of them. A whole name stands for
// its option alone.
int Abbreviates(std::string_view name, const OptionSpec** only) {
  int matches = 0;
  for (const OptionSpec& spec : kOptions) {
    if (spec.longName == name) {
      *only = &spec;
      return 1;
    }
    if (!name.empty() && name.size() >= spec.shortestAbbreviation &&
        spec.longName.starts_with(name)) {
      *only = &spec;
      ++matches;
    }
  }
  return matches;
}

constexpr char kNoCurrentFolder[] =
    "the current folder cannot be determined, so every path must be absolute";

// Collects the arguments; the checks that need all of them come after.
class Parser {
 public:
  explicit Parser(const std::string& cwd) : m_cwd(cwd) {}

  // The GNU conventions come from getopt_long: abbreviated long options,
  // "--name=value", "-bNAME", clustered letters, "--" ending the options and
  // operands anywhere. The leading '-' of the option string hands operands
  // back in place (so options are seen in the order given, whatever
  // POSIXLY_CORRECT says); the ':' after it silences getopt's own messages
  // and tells a missing value (':') from any other mistake ('?').
  CommandLine Parse(const std::vector<std::string>& args) {
    std::string shortOptions = "-:";
    std::vector<option> longOptions;
    for (const OptionSpec& spec : kOptions) {
      if (spec.id < kNoLetter) {
        shortOptions += static_cast<char>(spec.id);
        if (spec.takesValue) shortOptions += ':';
      }
      longOptions.push_back({spec.longName.data(),
                             spec.takesValue ? required_argument : no_argument, nullptr, spec.id});
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});

    // getopt wants a mutable argv behind a program name; these copies are it.
    std::vector<std::string> storage;
    storage.reserve(args.size() + 1);
    storage.push_back("kalvenor-cli");
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(storage.size());

    opterr = 0;
    optind = 0;  // start afresh: an earlier call may have left getopt mid-way
    for (;;) {
      const int id =
          getopt_long(argc, argv.data(), shortOptions.c_str(), longOptions.data(), nullptr);
      if (id == -1) break;
      if (id == 1) {
        m_folders.push_back(optarg);
        continue;
      }
      if (id == ':')
        return Fail("option '--" + std::string(FindId(optopt)->longName) + "' needs a value");
      if (id == '?') {
        // Only a long option given a value it takes none of comes back with
        // an option's id; a letter that is no option comes back as itself.
        if (const OptionSpec* spec = FindId(optopt))
          return Fail("option '--" + std::string(spec->longName) + "' takes no value");
        if (optopt != 0)
          return Fail("unknown option '-" + std::string(1, static_cast<char>(optopt)) + "'");
        // A long option that getopt could not place; it consumed the argument.
        const std::string_view arg = argv[optind - 1];
        const std::string_view name = arg.substr(2, arg.find('=') - 2);
        const OptionSpec* only = nullptr;
        const int matches = Abbreviates(name, &only);
        if (matches == 1 && only->longName != name) {
          // getopt finds it ambiguous only because it knows no shortest
          // abbreviation: read the arguments afresh with its whole name.
          std::vector<std::string> again = args;
          again[static_cast<std::size_t>(optind - 2)] =
              "--" + std::string(only->longName) + std::string(arg.substr(name.size() + 2));
          return Parser(m_cwd).Parse(again);
        }
        if (matches > 1) return Fail("option '--" + std::string(name) + "' is ambiguous");
        return Fail("unknown option '" + std::string(arg) + "'");
      }
      const OptionSpec* spec = FindId(id);
      if (!Apply(*spec, spec->takesValue ? std::string(optarg) : std::string())) return m_result;
      if (m_result.action == ToolAction::Help || m_result.action == ToolAction::Version)
        return m_result;
    }
    // Whatever follows "--" is an operand, even when it starts with '-'.
    for (int i = optind; i < argc; ++i) m_folders.push_back(argv[i]);
    return Finish();
  }

 private:
  CommandLine Fail(std::string error) {
    m_result.action = ToolAction::Error;
    m_result.error = std::move(error);
    return m_result;
  }

  // Records one option; false (with m_result holding the error) when it is
  // wrong. `value` is empty for an option that takes none.
  bool Apply(const OptionSpec& spec, const std::string& value) {
    const std::string name = "--" + std::string(spec.longName);
    RenameOptions& options = m_result.options;
    if (spec.longName == "help") {
      m_result.action = ToolAction::Help;
    } else if (spec.longName == "version") {
      m_result.action = ToolAction::Version;
    } else if (spec.longName == "commit") {
      m_result.commit = true;
    } else if (spec.longName == "undo-log") {
      if (value.empty()) {
        Fail("the log file of '--undo-log' must not be empty");
        return false;
      }
      m_undoLog = value;
    } else if (spec.longName == "history") {
      if (value.empty()) {
        Fail("the log file of '--history' must not be empty");
        return false;
      }
      m_historyLog = value;
    } else {
      m_renameOptionGiven = name;
      if (spec.longName == "base") {
        if (value.empty()) {
          Fail("the base name must not be empty");
          return false;
        }
        options.baseName = value;
      } else if (spec.longName == "index") {
        const std::optional<int> index = ParseIndexDigits(value);
        if (!index) {
          Fail("the base index must be a number from 0 to " + std::to_string(kMaxBaseIndex) +
               ", not '" + value + "'");
          return false;
        }
        options.baseIndex = *index;
      } else if (spec.longName == "prefix") {
        options.postfix = false;
      } else if (spec.longName == "postfix") {
        options.postfix = true;
      } else if (spec.longName == "sort") {
        if (value == "name") {
          options.sortType = kSortByName;
        } else if (value == "date") {
          options.sortType = kSortByDate;
        } else if (value == "type") {
          options.sortType = kSortByType;
        } else if (value == "taken") {
          options.sortType = kSortByTaken;
        } else {
          Fail("the sort key must be name, date, type or taken, not '" + value + "'");
          return false;
        }
      } else if (spec.longName == "descending") {
        options.ascending = false;
      } else if (spec.longName == "no-fill-gaps") {
        options.fillGaps = false;
      } else if (spec.longName == "sets") {
        options.photoSets = true;
      } else if (spec.longName == "keep-hidden") {
        options.keepHidden = true;
      } else if (spec.longName == "log") {
        if (value.empty()) {
          Fail("the log file of '--log' must not be empty");
          return false;
        }
        options.logPath = value;
      }
    }
    return true;
  }

  // A relative path needs the current folder, which may have been removed.
  bool CanMakeAbsolute(const std::string& path) const {
    return path.empty() || path.front() == '/' || !m_cwd.empty();
  }

  // An action that reads a log (--undo-log, --history): it takes the log
  // alone, no FOLDER and no option that shapes a rename.
  CommandLine FinishLogAction(const char* option, const std::string& log, ToolAction action,
                              std::string& logPath) {
    const std::string name = std::string("'") + option + "'";
    if (!CanMakeAbsolute(log)) return Fail(kNoCurrentFolder);
    if (!m_folders.empty()) return Fail(name + " takes no FOLDER");
    if (!m_renameOptionGiven.empty())
      return Fail(name + " cannot be combined with '" + m_renameOptionGiven + "'");
    m_result.action = action;
    logPath = MakeAbsolutePath(log, m_cwd);
    return m_result;
  }

  CommandLine Finish() {
    if (m_historyLog) {
      if (m_undoLog) return Fail("'--history' cannot be combined with '--undo-log'");
      return FinishLogAction("--history", *m_historyLog, ToolAction::History,
                             m_result.historyLogPath);
    }
    if (m_undoLog) {
      return FinishLogAction("--undo-log", *m_undoLog, ToolAction::Undo, m_result.undoLogPath);
    }
    if (m_folders.empty()) return Fail("no FOLDER given");
    if (m_folders.size() > 1) return Fail("only one FOLDER may be given");
    if (m_folders.front().empty()) return Fail("the FOLDER must not be empty");
    if (m_result.options.baseName.empty()) return Fail("a base name is required (-b NAME)");
    if (!CanMakeAbsolute(m_folders.front()) || !CanMakeAbsolute(m_result.options.logPath))
      return Fail(kNoCurrentFolder);
    m_result.action = ToolAction::Rename;
    m_result.options.folder = MakeAbsolutePath(m_folders.front(), m_cwd);
    m_result.options.logPath = MakeAbsolutePath(m_result.options.logPath, m_cwd);
    return m_result;
  }

  const std::string& m_cwd;
  CommandLine m_result;
  std::vector<std::string> m_folders;
  std::optional<std::string> m_undoLog;
  std::optional<std::string> m_historyLog;
  std::string m_renameOptionGiven;  // the last rename option seen, for the error text
};

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& cwd) {
  return Parser(cwd).Parse(args);
}

std::string UsageText() {
  return "usage: kalvenor-cli [OPTIONS] FOLDER\n"
         "       kalvenor-cli --undo-log FILE\n"
         "       kalvenor-cli --history FILE\n";
}

std::string HelpText() {
  return UsageText() +
         "Gives every file of FOLDER a new name in a numbered series: with the\n"
         "defaults a.jpg becomes Holiday0000.jpg. Without --commit only the plan\n"
         "is shown.\n"
         "\n"
         "  -b, --base NAME       base name (required, not empty)\n"
         "  -i, --index N         base index, 0 to " +
         std::to_string(kMaxBaseIndex) +
         " (default 0)\n"
         "      --prefix          index before the base name\n"
         "      --postfix         index after the base name (the default)\n"
         "  -s, --sort KEY        presort: name (the default), date, type or taken\n"
         "                        (the time a photo or film was taken)\n"
         "      --descending      presort downwards (default upwards)\n"
         "      --no-fill-gaps    number after the highest index of the series\n"
         "                        (default: fill gaps)\n"
         "      --sets            number photo sets as one: IMG_1.CR2, IMG_1.JPG and\n"
         "                        IMG_1.CR2.xmp share one number\n"
         "      --keep-hidden     leave hidden files alone: names beginning with a\n"
         "                        dot, Thumbs.db, desktop.ini (default: number them)\n"
         "  -l, --log FILE        append the batch to this log file\n"
         "  -c, --commit          carry the plan out (default: preview only)\n"
         "      --undo-log FILE   rename back the latest batch of FILE not yet undone\n"
         "      --history FILE    list the batches of FILE, newest first\n"
         "  -h, --help            show this help\n"
         "      --version         show the version\n"
         "\n"
         "Exit status: 0 done; 1 a limit stopped the run, or nothing to undo;\n"
         "2 bad arguments, a folder that cannot be renamed or an unusable log;\n"
         "3 a rename failed, or the log could not be written.\n";
}

std::string VersionText() { return "kalvenor-cli " KALVENOR_VERSION_SHOWN "\n"; }

}  // namespace kalvenor
