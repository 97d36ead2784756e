#include "namespace_places.h"

#include <QDir>
#include <QStandardPaths>

#include "display_text.h"
#include "file_name.h"

namespace kalvenor {

namespace {

// The home folder as bytes. Qt holds it as text, which cannot carry a name
// that is not valid UTF-8; $HOME itself can, so it is taken whenever it names
// the same folder as Qt's text does.
std::string HomeBytes(FileSystem& fs, const QString& homeText) {
  const std::optional<std::string> env = fs.GetEnv("HOME");
  if (env && env->starts_with('/') && QDir::cleanPath(DisplayText(*env)) == homeText) {
    return StripTrailingSeparators(*env);
  }
  return PathBytes(homeText);
}

// A folder that Qt gives as text, as bytes: a folder inside the home folder
// keeps the home folder's own bytes in front of the rest.
std::string PlaceBytes(const QString& placeText, const QString& homeText,
                       const std::string& homeBytes) {
  if (placeText == homeText) return homeBytes;
  if (homeText != QLatin1String("/") && IsAtOrBelow(PathBytes(placeText), PathBytes(homeText))) {
    return homeBytes + PathBytes(placeText.mid(homeText.size()));
  }
  return PathBytes(placeText);
}

bool IsFolder(FileSystem& fs, const std::string& path) {
  PathStat stat;
  return !path.empty() && !fs.Stat(path, /*followLinks=*/true, &stat) && stat.isDirectory;
}

}  // namespace

NamespacePlaces ReadNamespacePlaces(FileSystem& fs) {
  // QDir and QStandardPaths may be asked from any thread.
  const QString homeText = QDir::homePath();
  NamespacePlaces places;
  places.homeDirectory = HomeBytes(fs, homeText);
  const std::string desktop =
      PlaceBytes(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), homeText,
                 places.homeDirectory);
  places.desktopDirectory = IsFolder(fs, desktop) ? desktop : places.homeDirectory;
  places.volumes = ReadMountedVolumes(fs);
  return places;
}

}  // namespace kalvenor
