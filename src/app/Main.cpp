// Velmora: greeting cards from photos, captions and pictures.

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QTimer>

#include "app/AppPaths.h"
#include "app/MainWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Velmora");
  QApplication::setApplicationDisplayName("Velmora");
  QApplication::setDesktopFileName("velmora");
  // The window's font: Tahoma 8 point where installed, else the system's sans serif at 8 point.
  QFont font = QFontDatabase::families().contains("Tahoma")
                   ? QFont("Tahoma")
                   : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setPointSize(8);
  QApplication::setFont(font);

  const auto paths =
      velmora::AppPaths::ForExecutable(QCoreApplication::applicationDirPath().toStdString());
  velmora::MainWindow window(paths);
  window.show();
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  // Opened once the window is on screen, so a message about the file has a parent to sit on.
  QTimer::singleShot(0, &window, [&window, arguments] { window.OpenFromCommandLine(arguments); });
  return app.exec();
}
