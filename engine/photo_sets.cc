#include "photo_sets.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

#include "presort.h"

namespace kalvenor {
namespace {

// How a member ranks as its set's picture: lower first.
enum class Kind { Raw, Still, Film, Other };

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return folded;
}

Kind KindOf(std::string_view ext) {
  using namespace std::string_view_literals;
  static constexpr std::array kRaw = {
      "3fr"sv, "ari"sv, "arw"sv, "bay"sv, "cr2"sv, "cr3"sv, "crw"sv, "dcr"sv, "dng"sv, "erf"sv,
      "fff"sv, "iiq"sv, "k25"sv, "kdc"sv, "mef"sv, "mos"sv, "mrw"sv, "nef"sv, "nrw"sv, "orf"sv,
      "pef"sv, "raf"sv, "raw"sv, "rw2"sv, "rwl"sv, "sr2"sv, "srf"sv, "srw"sv, "x3f"sv};
  static constexpr std::array kStill = {"jpg"sv,  "jpeg"sv, "jpe"sv,  "jfif"sv, "heic"sv,
                                        "heif"sv, "hif"sv,  "avif"sv, "png"sv,  "tif"sv,
                                        "tiff"sv, "webp"sv, "gif"sv,  "bmp"sv,  "jxl"sv};
  static constexpr std::array kFilm = {"mov"sv, "mp4"sv,  "m4v"sv, "3gp"sv,
                                       "mts"sv, "m2ts"sv, "avi"sv, "mkv"sv};
  const std::string folded = Folded(ext);
  const auto in = [&](const auto& list) {
    return std::find(list.begin(), list.end(), folded) != list.end();
  };
  if (in(kRaw)) return Kind::Raw;
  if (in(kStill)) return Kind::Still;
  if (in(kFilm)) return Kind::Film;
  return Kind::Other;
}

constexpr std::string_view kLivePhotoFilmSuffix = "_hevc";

// A member and the set key it joins by (the folded stem it shares).
struct Placed {
  SetMember member;
  std::string key;
  Kind kind;
  const FileEntry* owner = nullptr;  // the file it is named after, if any
};

Placed Place(const FileEntry& entry,
             const std::unordered_map<std::string, const FileEntry*>& byFoldedName,
             const std::unordered_map<std::string, int>& stemCounts) {
  Placed placed{{&entry, entry.stem, entry.ext}, Folded(entry.stem), KindOf(entry.ext)};
  if (entry.stem.empty()) return placed;
  // Named after another file's whole name: that file's set, and the
  // other file's extension kept with its own.
  const auto owner = byFoldedName.find(placed.key);
  if (owner != byFoldedName.end() && owner->second != &entry && !owner->second->stem.empty() &&
      owner->second->stem.size() < entry.stem.size()) {
    const std::size_t stemSize = owner->second->stem.size();
    const std::string_view name = entry.name;
    placed.member.seriesStem = name.substr(0, stemSize);
    placed.member.ext = name.substr(stemSize + 1);
    placed.key = Folded(placed.member.seriesStem);
    placed.owner = owner->second;
    return placed;
  }
  // A Live Photo's film beside its still.
  if (placed.kind == Kind::Film && placed.key.size() > kLivePhotoFilmSuffix.size() &&
      placed.key.ends_with(kLivePhotoFilmSuffix)) {
    std::string still = placed.key.substr(0, placed.key.size() - kLivePhotoFilmSuffix.size());
    if (stemCounts.count(still) != 0) placed.key = std::move(still);
  }
  return placed;
}

bool SameExt(std::string_view a, std::string_view b) { return CompareIgnoreCase(a, b) == 0; }

}  // namespace

std::vector<PhotoSet> GroupPhotoSets(const std::vector<FileEntry>& entries) {
  std::unordered_map<std::string, const FileEntry*> byFoldedName;
  std::unordered_map<std::string, int> stemCounts;
  for (const FileEntry& entry : entries) {
    byFoldedName.emplace(Folded(entry.name), &entry);
    if (!entry.stem.empty()) ++stemCounts[Folded(entry.stem)];
  }

  // The members of each key, in the order the keys first appear.
  std::vector<std::vector<Placed>> groups;
  std::unordered_map<std::string, std::size_t> groupOf;
  for (const FileEntry& entry : entries) {
    Placed placed = Place(entry, byFoldedName, stemCounts);
    std::size_t group = groups.size();
    if (placed.key.empty() && entry.stem.empty()) {
      groups.emplace_back();
    } else {
      const auto [found, added] = groupOf.emplace(placed.key, group);
      if (added) groups.emplace_back();
      group = found->second;
    }
    groups[group].push_back(std::move(placed));
  }

  std::vector<PhotoSet> sets;
  sets.reserve(groups.size());
  for (std::vector<Placed>& group : groups) {
    std::sort(group.begin(), group.end(), [](const Placed& x, const Placed& y) {
      if (x.kind != y.kind) return x.kind < y.kind;
      return PresortsBefore(*x.member.entry, *y.member.entry, kSortByName);
    });
    // Each member goes to the first of the group's sets that has no member
    // with its extension, preferring the set of the file it is named
    // after, then one whose stem it shares byte for byte (so "IMG_1.JPG"
    // stays with "IMG_1.CR2", "img_1.jpg" with "img_1.cr2").
    const std::size_t first = sets.size();
    for (const Placed& placed : group) {
      const auto fits = [&](const PhotoSet& set) {
        return std::none_of(set.members.begin(), set.members.end(),
                            [&](const SetMember& m) { return SameExt(m.ext, placed.member.ext); });
      };
      const auto holdsOwner = [&](const PhotoSet& set) {
        return std::any_of(set.members.begin(), set.members.end(),
                           [&](const SetMember& m) { return m.entry == placed.owner; });
      };
      PhotoSet* target = nullptr;
      for (std::size_t s = first; s < sets.size() && target == nullptr; ++s) {
        if (placed.owner != nullptr && fits(sets[s]) && holdsOwner(sets[s])) target = &sets[s];
      }
      for (std::size_t s = first; s < sets.size() && target == nullptr; ++s) {
        if (fits(sets[s]) && sets[s].members.front().seriesStem == placed.member.seriesStem) {
          target = &sets[s];
        }
      }
      for (std::size_t s = first; s < sets.size() && target == nullptr; ++s) {
        if (fits(sets[s])) target = &sets[s];
      }
      if (target == nullptr) target = &sets.emplace_back();
      target->members.push_back(placed.member);
    }
  }
  return sets;
}

void PresortSets(std::vector<PhotoSet>& sets, int sortType, bool ascending) {
  std::sort(sets.begin(), sets.end(), [sortType](const PhotoSet& x, const PhotoSet& y) {
    return PresortsBefore(x.Picture(), y.Picture(), sortType);
  });
  if (!ascending) std::reverse(sets.begin(), sets.end());
}

}  // namespace kalvenor
