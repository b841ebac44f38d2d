#include "platform/linux/xdg_settings.hpp"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QVariant>

namespace nocturo::linux_desktop {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyPath(std::string_view section, std::string_view key) {
  return FromUtf8(section) + QLatin1Char('/') + FromUtf8(key);
}

}  // namespace

std::string XdgSettings::FilePath(std::string_view application) {
  const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  const QString name = FromUtf8(application);
  return (base + QLatin1Char('/') + name + QLatin1Char('/') + name + QStringLiteral(".conf"))
      .toStdString();
}

std::optional<std::string> XdgSettings::Read(std::string_view application, std::string_view section,
                                             std::string_view key) const {
  const QSettings file(QString::fromStdString(FilePath(application)), QSettings::IniFormat);
  const QVariant value = file.value(KeyPath(section, key));
  // A key written as a list or another type is not text.
  if (value.typeId() != QMetaType::QString) {
    return std::nullopt;
  }
  return value.toString().toStdString();
}

void XdgSettings::Write(std::string_view application, std::string_view section,
                        std::string_view key, std::string_view value) {
  QSettings file(QString::fromStdString(FilePath(application)), QSettings::IniFormat);
  file.setValue(KeyPath(section, key), FromUtf8(value));
  // QSettings writes through a temporary file and a rename.
  file.sync();
}

}  // namespace nocturo::linux_desktop
