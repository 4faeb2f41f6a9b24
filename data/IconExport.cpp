// Writes the program's icon, which is drawn in code, as PNG files for the desktop's icon theme:
//   velmora-icon-export FOLDER SIZE...   writes FOLDER/<SIZE>.png for each size
// Runs at build time without a display (the offscreen platform).

#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "widgets/Icons.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: velmora-icon-export FOLDER SIZE...\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QIcon icon = velmora::VelmoraAppIcon();
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int i = 2; i < argc; ++i) {
    const int size = QString::fromLatin1(argv[i]).toInt();
    const QString path = QStringLiteral("%1/%2.png").arg(folder).arg(size);
    const QPixmap pixmap = icon.pixmap(size, size);
    if (size <= 0 || pixmap.width() != size || !pixmap.save(path, "PNG")) {
      std::fprintf(stderr, "velmora-icon-export: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
