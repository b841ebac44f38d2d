// The floor for the Linux benchmarks: the least a Qt 6 Widgets program needs
// to sit in the tray with an icon and a tooltip. Nothing else.
#include <QApplication>
#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QPixmap picture(32, 32);
  picture.fill(QColor(0, 0, 128));
  QSystemTrayIcon icon{QIcon(picture)};
  icon.setToolTip(QStringLiteral("floor"));
  icon.show();
  return QApplication::exec();
}
