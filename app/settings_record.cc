#include "settings_record.h"

#include <QSettings>
#include <QVariant>
#include <vector>

#include "display_text.h"

namespace {

constexpr char kGroup[] = "Settings";

// The integers, by key; a record made by default holds their defaults.
struct IntSetting {
  const char* key;
  std::int32_t SettingsRecord::*member;
};
constexpr IntSetting kIntSettings[] = {
    {"Gaps", &SettingsRecord::gaps},
    {"Sort", &SettingsRecord::sort},
    {"Ascending", &SettingsRecord::ascending},
    {"Postfix", &SettingsRecord::postfix},
    {"Sets", &SettingsRecord::sets},
    {"KeepHidden", &SettingsRecord::keepHidden},
    {"WindowWidth", &SettingsRecord::windowWidth},
    {"WindowHeight", &SettingsRecord::windowHeight},
    {"WindowMaximized", &SettingsRecord::windowMaximized},
    {"Split", &SettingsRecord::split},
};

// Reads an integer, or gives `fallback` when the value is absent or is not a
// 32-bit integer in decimal (a number out of range counts as not one).
std::int32_t ReadInt(QSettings& store, const char* key, std::int32_t fallback) {
  const QVariant value = store.value(QLatin1String(key));
  bool ok = false;
  qlonglong number = 0;
  switch (value.typeId()) {
    case QMetaType::QString: number = value.toString().trimmed().toLongLong(&ok); break;
    case QMetaType::QByteArray: number = value.toByteArray().trimmed().toLongLong(&ok); break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong: number = value.toLongLong(&ok); break;
    default: return fallback;
  }
  if (!ok || number < INT32_MIN || number > INT32_MAX) return fallback;
  return static_cast<std::int32_t>(number);
}

std::string ReadPath(QSettings& store, const char* key, const std::string& fallback) {
  std::string path;
  return PathFromSetting(store.value(QLatin1String(key)), path) ? path : fallback;
}

}  // namespace

QVariant PathToSetting(const std::string& path) {
  const QString text = DisplayText(path);
  if (PathBytes(text) == path) return text;
  return QByteArray::fromStdString(path);  // not valid text: keep the bytes themselves
}

bool PathFromSetting(const QVariant& value, std::string& path) {
  if (!value.isValid()) return false;
  if (value.typeId() == QMetaType::QString) {
    path = PathBytes(value.toString());
    return true;
  }
  if (value.typeId() == QMetaType::QByteArray) {
    path = value.toByteArray().toStdString();
    return true;
  }
  return false;
}

SettingsRecord LoadSettings(QSettings& store, const std::string& workingDir) {
  SettingsRecord record;
  store.beginGroup(QLatin1String(kGroup));
  record.dir = ReadPath(store, "Dir", workingDir);
  record.log = ReadPath(store, "Log", std::string());
  for (const IntSetting& setting : kIntSettings) {
    record.*setting.member = ReadInt(store, setting.key, record.*setting.member);
  }
  store.endGroup();
  return record;
}

void SaveSettings(const SettingsRecord& record, QSettings& store) {
  store.beginGroup(QLatin1String(kGroup));
  store.setValue(QStringLiteral("Dir"), PathToSetting(record.dir));
  store.setValue(QStringLiteral("Log"), PathToSetting(record.log));
  for (const IntSetting& setting : kIntSettings) {
    store.setValue(QLatin1String(setting.key), record.*setting.member);
  }
  store.endGroup();
  store.sync();
}
