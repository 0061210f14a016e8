// The yardstick for start-up: the smallest Qt 6 widget window of the game's size, with one
// line of text as every real window has (--no-text leaves even that out).
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const bool text = !(argc > 1 && QString::fromLatin1(argv[1]) == QLatin1String("--no-text"));
  QLabel window(text ? QStringLiteral("20") : QString());
  window.setWindowTitle(QStringLiteral("minimal"));
  window.setFixedSize(128, 378);
  window.show();
  return QApplication::exec();
}
