#include "proof_fixture.h"

#include <sys/stat.h>

#include <filesystem>

#include "mount_guard.h"

namespace kalvenor::proofs {

void VolumeProof::SetUp() {
  if (const std::string why = ToolRunner::WhyNotHere(); !why.empty()) GTEST_SKIP() << why;
  m_work = std::make_unique<ProofFolder>();
  std::string whyNot;
  m_volume = ScratchVolume::Make(Kind(), m_work->Path(), &whyNot);
  if (!m_volume) GTEST_SKIP() << TraitsOf(Kind()).name << ": " << whyNot;
  m_tool = std::make_unique<ToolRunner>(KALVENOR_CLI_PATH, m_work->Path());
}

void VolumeProof::TearDown() {
  if (m_volume) {
    std::string error;
    EXPECT_TRUE(m_volume->Unmount(&error)) << error;
  }
  m_volume.reset();
  m_work.reset();
}

std::string VolumeProof::OnVolume(const std::string& relative) const {
  return m_volume->Root() + "/" + relative;
}

bool VolumeProof::IgnoresCase() const {
  WriteContents(OnVolume("case-probe"), {{"probe.txt", "x"}});
  struct stat st {};
  const bool found = ::stat(OnVolume("case-probe/PROBE.TXT").c_str(), &st) == 0;
  std::filesystem::remove_all(OnVolume("case-probe"));
  return found;
}

std::string VolumeProof::AsListed(const std::string& name) const {
  if (!TraitsOf(Kind()).listsLowerCase) return name;
  std::string lower = name;
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

FolderContents VolumeProof::AsListed(const FolderContents& contents) const {
  FolderContents listed;
  for (const auto& [name, bytes] : contents) listed[AsListed(name)] = bytes;
  return listed;
}

std::string KindName(const ::testing::TestParamInfo<VolumeKind>& info) {
  return TraitsOf(info.param).name;
}

FolderContents SmallBatch() {
  return {{"a.jpg", "photo a, 1234"},
          {"b.JPG", "photo b, 56"},
          {"c.gif", "picture c"},
          {"d e.png", "picture d e, 789"},
          {"H0001.jpg", "in the series already"}};
}

std::vector<std::string> CommitArgs(const std::string& folder, const std::string& log) {
  return {"-b", "H", "-c", "-l", log, folder};
}

}  // namespace kalvenor::proofs
