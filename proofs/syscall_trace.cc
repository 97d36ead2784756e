#include "syscall_trace.h"

#include <map>
#include <set>
#include <sstream>

namespace kalvenor::proofs {
namespace {

constexpr char kChangingCalls[] =
    "open,openat,creat,write,pwrite64,writev,pwritev,link,linkat,unlink,unlinkat,rename,"
    "renameat,renameat2,truncate,ftruncate,fallocate,fsync,fdatasync,syncfs,sync_file_range,"
    "mkdir,mkdirat,symlink,symlinkat,mknod,mknodat,chmod,fchmod,fchmodat";

// Calls whose first argument is the descriptor they act on.
const std::set<std::string>& DescriptorCalls() {
  static const std::set<std::string> kCalls = {
      "write", "pwrite64",  "writev", "pwritev",         "ftruncate", "fallocate",
      "fsync", "fdatasync", "syncfs", "sync_file_range", "fchmod"};
  return kCalls;
}

}  // namespace

const char* ChangingCalls() { return kChangingCalls; }

std::vector<TracedCall> ReadTrace(const std::string& straceOutput) {
  std::vector<TracedCall> calls;
  std::map<std::string, int> seen;
  std::istringstream lines(straceOutput);
  for (std::string line; std::getline(lines, line);) {
    // "1234 name(args) = result"; with one process strace may leave out the id.
    const std::size_t start = line.find_first_not_of("0123456789 ");
    if (start == std::string::npos) continue;
    const std::size_t open = line.find('(', start);
    if (open == std::string::npos || line.compare(start, 3, "---") == 0 ||
        line.compare(start, 3, "+++") == 0 || line.compare(start, 4, "<...") == 0) {
      continue;
    }
    TracedCall call;
    call.name = line.substr(start, open - start);
    if (call.name.empty() || call.name.find(' ') != std::string::npos) continue;
    call.occurrence = ++seen[call.name];
    call.text = line.substr(start);
    calls.push_back(std::move(call));
  }
  return calls;
}

std::vector<TracedCall> ChangesUnder(const std::vector<TracedCall>& calls,
                                     const std::vector<std::string>& roots) {
  std::set<std::string> changing;
  std::istringstream names(kChangingCalls);
  for (std::string name; std::getline(names, name, ',');) changing.insert(name);
  std::vector<TracedCall> found;
  for (const TracedCall& call : calls) {
    if (changing.count(call.name) == 0) continue;
    // Where it acts: the descriptor (with its path) for calls on one, else
    // all of its arguments; a write's bytes may name a path too.
    std::string where = call.text;
    if (DescriptorCalls().count(call.name) != 0) where = where.substr(0, where.find(','));
    bool under = false;
    for (const std::string& root : roots) under = under || where.find(root) != std::string::npos;
    if (!under) continue;
    const bool opening = call.name == "open" || call.name == "openat";
    if (opening && call.text.find("O_CREAT") == std::string::npos &&
        call.text.find("O_TRUNC") == std::string::npos) {
      continue;
    }
    found.push_back(call);
  }
  return found;
}

bool MayVaryInNumber(const TracedCall& call) {
  static const std::set<std::string> kVarying = {"write",     "pwrite64",  "writev",
                                                 "pwritev",   "ftruncate", "fsync",
                                                 "fdatasync", "syncfs",    "sync_file_range"};
  return kVarying.count(call.name) != 0;
}

const TracedCall* CallBefore(const std::vector<TracedCall>& calls,
                             const std::function<bool(const TracedCall&)>& isIt) {
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (!isIt(calls[i])) continue;
    while (i > 0 && MayVaryInNumber(calls[i - 1])) --i;
    return i > 0 ? &calls[i - 1] : nullptr;
  }
  return nullptr;
}

}  // namespace kalvenor::proofs
