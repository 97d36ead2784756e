// A MountGuard takes back what the proofs mount and attach, even when the
// proofs die before they can: it is a small process of its own, outside the
// proofs' process tree, that learns each mount and loop device as it is
// made and given back, and on the end of the proofs (any end: a failed
// assertion, an abort, SIGKILL, a ctest timeout) unmounts what is still
// mounted (lazily, latest first), detaches the loop devices and removes
// the proofs' folders. The proofs
// give back what they made in their own teardown as usual; the guard is for
// when they cannot.
#pragma once

#include <string>

#include "test_support.h"

namespace kalvenor::proofs {

class MountGuard {
 public:
  // Starts the guard process. Throws std::runtime_error when it cannot.
  MountGuard();
  // Lets the guard take back what is still recorded, and waits for nothing.
  ~MountGuard();
  MountGuard(const MountGuard&) = delete;
  MountGuard& operator=(const MountGuard&) = delete;

  // The one guard of this process, started on first use.
  static MountGuard& ForThisProcess();

  // Records a mount point that the guard must unmount / a loop device it
  // must detach, and forgets one that was given back.
  void AddMount(const std::string& mountPoint) { Tell('M', mountPoint); }
  void RemoveMount(const std::string& mountPoint) { Tell('m', mountPoint); }
  void AddLoop(const std::string& device) { Tell('L', device); }
  void RemoveLoop(const std::string& device) { Tell('l', device); }
  void AddFolder(const std::string& path) { Tell('D', path); }
  void RemoveFolder(const std::string& path) { Tell('d', path); }

 private:
  void Tell(char what, const std::string& path);
  int m_pipe = -1;  // the write end; the guard acts when it closes
};

// A folder of the proofs' own, removed with all in it when it goes, or by
// the guard if the proofs die first.
class ProofFolder : public kalvenor::testing::TempDir {
 public:
  ProofFolder() : TempDir("kalvenor-proof-") { MountGuard::ForThisProcess().AddFolder(Path()); }
  ~ProofFolder() { MountGuard::ForThisProcess().RemoveFolder(Path()); }
  ProofFolder(const ProofFolder&) = delete;
  ProofFolder& operator=(const ProofFolder&) = delete;
};

}  // namespace kalvenor::proofs
