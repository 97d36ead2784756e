// What a folder holds, to compare before and after: every file's name and
// bytes, subfolders included, so that a proof can tell that no name and no
// byte was lost, added or changed.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kalvenor::proofs {

// Path relative to the folder ("a.jpg", "sub/b.jpg", "sub/" for a folder)
// -> the file's bytes ("" for a folder).
using FolderContents = std::map<std::string, std::string>;

// Reads `folder` whole.
FolderContents ReadContents(const std::string& folder);

// Makes `folder` hold exactly `contents` (it is emptied first, made when
// missing).
void WriteContents(const std::string& folder, const FolderContents& contents);

// What differs, a line per entry for the first few; empty when equal.
std::string Differences(const FolderContents& want, const FolderContents& got);

// For EXPECT_TRUE: success when equal, else the differences.
::testing::AssertionResult SameContents(const FolderContents& want, const FolderContents& got);

// A name as the proofs print it: printable ASCII as it is, other bytes as
// \xhh.
std::string Printable(const std::string& name);

}  // namespace kalvenor::proofs
