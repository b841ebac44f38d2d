#include "platform/linux/linux_regional.hpp"

#include <QLocale>
#include <QString>

namespace nocturo::linux_desktop {

std::string LinuxRegional::DecimalSeparator() const {
  return QLocale::system().decimalPoint().toStdString();
}

}  // namespace nocturo::linux_desktop
