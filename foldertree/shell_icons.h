// The one icon list of the folder tree. An index names an icon for a kind of
// place, closed or open; the icons come from the desktop's icon theme and are
// made once, on first use, so that showing ten thousand folders looks up no
// icon on disk per folder. Indices are stable for the life of the list.
#pragma once

#include <QIcon>
#include <array>
#include <map>
#include <utility>

namespace kalvenor {

enum class IconKind { Desktop, Computer, Home, Network, Volume, Share, Folder };

class ShellIconList {
 public:
  static int IndexOf(IconKind kind, bool open);
  // The icon at `index`; a null icon for an index out of range. Needs the
  // application object (QApplication).
  const QIcon& Icon(int index);
  // An icon showing `normal`, and `selected` while its item is selected;
  // made once per pair.
  QIcon ItemIcon(int normal, int selected);

 private:
  static constexpr int kCount = 14;
  std::array<QIcon, kCount> m_icons;
  std::array<bool, kCount> m_made{};
  std::map<std::pair<int, int>, QIcon> m_pairs;
};

}  // namespace kalvenor
