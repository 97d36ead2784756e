// What every proof on a real volume starts from: a folder of the proofs'
// own, a freshly made volume of one kind mounted in it, and the built tool
// to run on it. A proof whose volume this machine cannot make is skipped
// with the reason.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "folder_contents.h"
#include "mount_guard.h"
#include "scratch_volume.h"
#include "tool_runner.h"

namespace kalvenor::proofs {

class VolumeProof : public ::testing::TestWithParam<VolumeKind> {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The volume's kind.
  VolumeKind Kind() const { return GetParam(); }
  // A path on the volume.
  std::string OnVolume(const std::string& relative) const;
  // A path in the proofs' folder, off the volume.
  std::string OffVolume(const std::string& relative) const { return m_work->Join(relative); }
  // Whether the volume finds a name written in other capitals.
  bool IgnoresCase() const;
  // `contents` as the volume lists such names: lowntfs-3g's ignore_case
  // lists every name in lower case.
  FolderContents AsListed(const FolderContents& contents) const;
  std::string AsListed(const std::string& name) const;

  std::unique_ptr<ProofFolder> m_work;
  std::unique_ptr<ScratchVolume> m_volume;
  std::unique_ptr<ToolRunner> m_tool;
};

// The gtest name of a volume kind's test.
std::string KindName(const ::testing::TestParamInfo<VolumeKind>& info);

// A small batch: four files to rename and one already in the series "H",
// each with bytes of its own, names that every volume kind can hold.
FolderContents SmallBatch();

// The arguments that commit `folder` into the series "H", logging to `log`.
std::vector<std::string> CommitArgs(const std::string& folder, const std::string& log);

}  // namespace kalvenor::proofs
