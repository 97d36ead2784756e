// The system calls of one run of the tool, read from strace's output
// (strace -f -y -qq: one call per line, descriptors shown with their
// paths). Each call is named by its system call and its place among the
// calls of that name, which is how strace's fault injection counts
// ("inject=linkat:when=3" acts on the third linkat), so a call found in a
// traced run can be hit again in the next run of the same work.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kalvenor::proofs {

struct TracedCall {
  std::string name;    // "renameat2"
  int occurrence = 0;  // 1 for the first call of that name
  std::string text;    // the whole line, without the process id
  // "renameat2 #1"
  std::string Label() const { return name + " #" + std::to_string(occurrence); }
};

// Every call in strace's output, in order (signals and exits left out).
std::vector<TracedCall> ReadTrace(const std::string& straceOutput);

// The calls that can change what lies under one of `roots` (a folder or a
// file path): the creation of a file, a write to one, a link, unlink,
// rename, truncation or sync of one. A kill just before each of them
// leaves the disk in every state the run passes through.
std::vector<TracedCall> ChangesUnder(const std::vector<TracedCall>& calls,
                                     const std::vector<std::string>& roots);

// Whether the number of calls like this one may differ from run to run of
// the same work: writes and syncs, which a run may group by how long a
// sync takes on the storage at hand, so that neither their number nor
// their bytes can find one moment again.
bool MayVaryInNumber(const TracedCall& call);

// What a call acted on, the same in every run of the same work: its name
// and arguments, without descriptor numbers or results.
std::string Signature(const TracedCall& call);

// A moment of a run, found again in the next run of the same work: just
// after the `index`-th call (from 1) with this signature. Calls elsewhere
// may come in other numbers (a run that waits for something polls it).
struct CallMark {
  std::string name;
  std::string signature;
  int index = 0;
  std::string Label() const { return signature + " #" + std::to_string(index); }
};

// The last call that `canMark` accepts (and that does not vary in number)
// before the first call that `isIt` picks, as a mark; nullopt when there
// is none.
std::optional<CallMark> MarkBefore(const std::vector<TracedCall>& calls,
                                   const std::function<bool(const TracedCall&)>& isIt,
                                   const std::function<bool(const TracedCall&)>& canMark);

// The system calls that ChangesUnder looks for, comma-separated for
// strace's -e trace=.
const char* ChangingCalls();

}  // namespace kalvenor::proofs
