#include "syscall_trace.h"

#include <algorithm>
#include <map>
#include <regex>
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

std::string Signature(const TracedCall& call) {
  // Results go: what a call gave back ("= 5</a/b>") and what it filled in
  // ("{st_mode=..."); a descriptor's number may differ, its path may not.
  std::string text = call.text.substr(0, call.text.rfind(") = "));
  text = text.substr(0, text.find(", {"));
  static const std::regex kDescriptor(R"(([(, ])[0-9]+<)");
  return std::regex_replace(text, kDescriptor, "$1<");
}

std::optional<CallMark> MarkBefore(const std::vector<TracedCall>& calls,
                                   const std::function<bool(const TracedCall&)>& isIt,
                                   const std::function<bool(const TracedCall&)>& canMark) {
  const auto first = std::find_if(calls.begin(), calls.end(), isIt);
  for (auto before = first; before != calls.begin();) {
    --before;
    if (MayVaryInNumber(*before) || !canMark(*before)) continue;
    const std::string signature = Signature(*before);
    const auto same = [&](const TracedCall& call) {
      return call.name == before->name && Signature(call) == signature;
    };
    return CallMark{before->name, signature,
                    static_cast<int>(std::count_if(calls.begin(), before + 1, same))};
  }
  return std::nullopt;
}

}  // namespace kalvenor::proofs
