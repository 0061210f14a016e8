#include "qt/display_opening.h"

#include <QByteArray>
#include <cstdlib>
#include <vector>

#include "qt/terminal_text.h"

namespace vertuno::qt {

namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

std::vector<HeldMessage>* heldMessages = nullptr;

void holdOrExplain(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    heldMessages->push_back({type, context.category, text});
    return;
  }
  // Qt's first complaint names the cause; its fatal line only gives up.
  const QString why = heldMessages->empty() ? text : heldMessages->front().text;
  const QString display = qEnvironmentVariable("WAYLAND_DISPLAY", qEnvironmentVariable("DISPLAY"));
  complain(inLocaleLanguage("не удалось открыть экран %1: %2", "cannot open the display %1: %2").arg(display, why));
  std::_Exit(1);
}

void passOn(const HeldMessage& message) {
  const QMessageLogger logger(nullptr, 0, nullptr, message.category.constData());
  const QByteArray text = message.text.toUtf8();
  switch (message.type) {
    case QtDebugMsg: logger.debug("%s", text.constData()); break;
    case QtInfoMsg: logger.info("%s", text.constData()); break;
    case QtWarningMsg: logger.warning("%s", text.constData()); break;
    default: logger.critical("%s", text.constData()); break;
  }
}

}  // namespace

std::unique_ptr<QApplication> openDisplay(int& argc, char** argv) {
  std::vector<HeldMessage> held;
  heldMessages = &held;
  const QtMessageHandler previous = qInstallMessageHandler(holdOrExplain);
  auto app = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  heldMessages = nullptr;
  for (const HeldMessage& message : held) passOn(message);
  return app;
}

}  // namespace vertuno::qt
