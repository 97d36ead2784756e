// Photo sets: the files of one picture, numbered as one when the user asks
// ("Number photo sets as one"). A camera's raw file and its JPEG, an
// editor's sidecars and a phone's Live Photo still and film are one set:
//   - files whose stems are equal under CompareIgnoreCase;
//   - a file named after another file's whole name ("IMG_1234.CR2.xmp"
//     after "IMG_1234.CR2") joins that file's set;
//   - a film whose stem ends in "_HEVC" ("IMG_1234_HEVC.MOV") joins the
//     set of the same stem without it, when there is one.
// Each member keeps its own extension in its new name. For a file named
// after a whole name that is the other file's extension with its own
// ("CR2.xmp"), so "0007Holiday.CR2.xmp" still names its raw file; the
// "_HEVC" is dropped. Two members that would get the same new name (their
// extensions equal under CompareIgnoreCase) are never in one set. A file
// with an empty stem (".profile") is a set of its own.
#pragma once

#include <string_view>
#include <vector>

#include "file_entry.h"

namespace kalvenor {

struct SetMember {
  const FileEntry* entry;
  // The file's name is `seriesStem`, a '.', then `ext`: the series test
  // reads `seriesStem`, and the new name keeps `ext`. Both point into the
  // entry's name.
  std::string_view seriesStem;
  std::string_view ext;
};

// One set: its picture first (the raw file, else a still image, else a
// film, else the first by name), then the other members by name.
struct PhotoSet {
  std::vector<SetMember> members;
  const FileEntry& Picture() const { return *members.front().entry; }
};

// The sets of a folder's files; every entry is in exactly one set. The
// entries must outlive the sets.
std::vector<PhotoSet> GroupPhotoSets(const std::vector<FileEntry>& entries);

// Orders the sets as PresortEntries orders files, each set by its
// picture; `sortType` and `ascending` as there.
void PresortSets(std::vector<PhotoSet>& sets, int sortType, bool ascending);

}  // namespace kalvenor
