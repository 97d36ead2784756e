#include "shell_icons.h"

#include <QFileIconProvider>

namespace kalvenor {

namespace {

QIcon Themed(const char* name, const QIcon& fallback) {
  return QIcon::fromTheme(QString::fromLatin1(name), fallback);
}

QIcon MakeIcon(IconKind kind, bool open) {
  QFileIconProvider provider;
  const QIcon folder = provider.icon(QAbstractFileIconProvider::Folder);
  switch (kind) {
    case IconKind::Desktop:
      return Themed("user-desktop", provider.icon(QAbstractFileIconProvider::Desktop));
    case IconKind::Computer:
      return Themed("computer", provider.icon(QAbstractFileIconProvider::Computer));
    case IconKind::Home: return Themed("user-home", folder);
    case IconKind::Network:
      return Themed("network-workgroup", provider.icon(QAbstractFileIconProvider::Network));
    case IconKind::Volume:
      return Themed("drive-harddisk", provider.icon(QAbstractFileIconProvider::Drive));
    case IconKind::Share:
      return Themed("folder-remote", provider.icon(QAbstractFileIconProvider::Network));
    case IconKind::Folder: return open ? Themed("folder-open", folder) : folder;
  }
  return folder;
}

}  // namespace

int ShellIconList::IndexOf(IconKind kind, bool open) {
  return static_cast<int>(kind) * 2 + (open ? 1 : 0);
}

const QIcon& ShellIconList::Icon(int index) {
  static const QIcon kNone;
  if (index < 0 || index >= kCount) return kNone;
  if (!m_made[index]) {
    m_icons[index] = MakeIcon(static_cast<IconKind>(index / 2), index % 2 == 1);
    m_made[index] = true;
  }
  return m_icons[index];
}

QIcon ShellIconList::ItemIcon(int normal, int selected) {
  if (normal == selected) return Icon(normal);
  const auto found = m_pairs.find({normal, selected});
  if (found != m_pairs.end()) return found->second;
  QIcon combined = Icon(normal);
  const QIcon& open = Icon(selected);
  for (const QSize& size : open.availableSizes()) {
    combined.addPixmap(open.pixmap(size), QIcon::Selected, QIcon::Off);
  }
  m_pairs.emplace(std::make_pair(normal, selected), combined);
  return combined;
}

}  // namespace kalvenor
