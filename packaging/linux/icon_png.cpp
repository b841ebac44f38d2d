// Build tool: writes each image of an icon file as a PNG of its own size,
// for the desktop's icon theme (hicolor/<size>x<size>/apps/<name>.png).
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <iostream>

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() != 4) {
    std::cerr << "usage: icon_png ICON OUTDIR NAME\n";
    return 2;
  }
  QImageReader reader(arguments.at(1));
  int written = 0;
  do {
    const QImage image = reader.read();
    if (image.isNull()) {
      break;
    }
    const QString size = QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
    const QString dir = arguments.at(2) + QStringLiteral("/") + size + QStringLiteral("/apps");
    if (!QDir().mkpath(dir) ||
        !image.save(dir + QStringLiteral("/") + arguments.at(3) + QStringLiteral(".png"), "PNG")) {
      std::cerr << "icon_png: cannot write " << dir.toStdString() << '\n';
      return 1;
    }
    ++written;
  } while (reader.jumpToNextImage());
  if (written == 0) {
    std::cerr << "icon_png: no image in " << arguments.at(1).toStdString() << '\n';
    return 1;
  }
  return 0;
}
