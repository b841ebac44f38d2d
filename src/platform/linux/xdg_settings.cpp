#include "platform/linux/xdg_settings.hpp"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
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

// QSettings waits for its lock file with no time limit (a directory in its
// place, a lock held for ever), which would hold up the exit and the power
// request behind it: the lock is tried first, for a bounded time.
bool LockFree(const QString& file, int waitMilliseconds) {
  // The lock lives in the file's directory, which QSettings would make.
  if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
    return false;
  }
  QLockFile lock(file + QStringLiteral(".lock"));
  return lock.tryLock(waitMilliseconds);
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
  const QString path = QString::fromStdString(FilePath(application));
  // Once the lock has not come free, later writes of this run do not wait.
  if (!LockFree(path, lockStuck_ ? 0 : kLockWaitMilliseconds)) {
    lockStuck_ = true;
    return;
  }
  QSettings file(path, QSettings::IniFormat);
  file.setValue(KeyPath(section, key), FromUtf8(value));
  // QSettings writes through a temporary file and a rename.
  file.sync();
}

}  // namespace nocturo::linux_desktop
