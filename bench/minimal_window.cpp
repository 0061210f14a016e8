// The yardstick for start-up: the smallest Qt 6 widget window of the game's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("minimal"));
  window.setFixedSize(128, 378);
  window.show();
  return QApplication::exec();
}
