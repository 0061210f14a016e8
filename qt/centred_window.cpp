#include "qt/centred_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QSvgWidget>
#include <algorithm>

#include "machine/machine.h"
#include "qt/layout.h"
#include "qt/title_strip.h"
#include "qt/title_strip_style.h"
#include "qt/wayland_desktop.h"
#include "qt/x11_desktop.h"

namespace vertuno::qt {

namespace {

QWidget* addControl(QWidget* parent, const Control& control, Machine& machine) {
  QWidget* widget = nullptr;
  switch (control.kind) {
    case ControlKind::Text: {
      auto* label = new QLabel(toText(control.text), parent);
      label->setAlignment(control.wraps ? Qt::AlignLeft | Qt::AlignTop : toAlignment(control.align));
      label->setWordWrap(control.wraps);  // two lines fill the box; none is clipped
      widget = label;
      break;
    }
    case ControlKind::Picture:
      widget = new QSvgWidget(QStringLiteral(":/assets/%1.svg").arg(toText(control.text)), parent);
      break;
    case ControlKind::Frame: {
      widget = new QGroupBox(toText(control.text), parent);
      // The caption sits on the frame's border line, as a group frame's does on that desktop.
      QStyle* groupStyle = QStyleFactory::create(QStringLiteral("Windows"));
      groupStyle->setParent(widget);  // a widget does not own the style it is given
      widget->setStyle(groupStyle);
      break;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(toText(control.text), parent);
      if (control.onClick) {
        QObject::connect(button, &QPushButton::clicked, button,
                         [&machine, handler = control.onClick] { (machine.*handler)(); });
      }
      widget = button;
      break;
    }
    case ControlKind::Cover: {
      widget = new QLabel(parent);
      widget->setAutoFillBackground(true);
      break;
    }
  }
  widget->setObjectName(toText(control.name));
  widget->setGeometry(toRect(control.box));
  widget->setFont(toFont(control.font));
  return widget;
}

}  // namespace

CentredWindow::CentredWindow(const SideWindowLayout& layout, Machine& machine) : machine_(machine), id_(layout.window) {
  setObjectName(toText(layout.name));
  setWindowTitle(toText(layout.title));
  setFont(toFont(DialogFont));
  // A plain window, not a dialog: X11 makes a dialog transient for a window of the program, and
  // managers then keep it above the cabinet for good.
  if (windowsDrawTheirOwnTitleBars()) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    const int edge = OwnTitleStrip.edgeWidth;
    setFixedSize(layout.width + 2 * edge, OwnTitleStrip.height + layout.height + edge);
    content_ = new QWidget(this);
    content_->setGeometry(edge, OwnTitleStrip.height, layout.width, layout.height);
    new TitleStrip(*this);
  } else {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(layout.width, layout.height);
  }

  QWidget* const page = content_ ? content_ : this;
  QWidget* frame = nullptr;
  for (const Control& control : layout.controls) {
    QWidget* widget = addControl(control.inFrame ? frame : page, control, machine);
    if (control.kind == ControlKind::Frame) frame = widget;
    if (control.counter) counterTexts_.emplace_back(static_cast<QLabel*>(widget), control.counter);
  }
}

void CentredWindow::showCounters(const InfoFields& counters) {
  for (const auto& [text, counter] : counterTexts_) text->setText(QString::fromStdString(counters.*counter));
}

void CentredWindow::showCentred() {
  if (!isVisible()) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame(QPoint(0, 0), size());
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  } else if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    // Wayland tells no window it was minimised, and a compositor brings one back only for an
    // activation token the player's action earned, which Qt 6.4 does not get right here (its
    // token names the release, not the press, which mutter refuses, or the menu, which KWin
    // refuses). A window shown anew is mapped anew, and is there whatever became of it.
    hide();
  }
  bringToFront(*this);
}

void CentredWindow::showEvent(QShowEvent* event) {
  describeSideWindowToX11(*this);  // the show event comes before the window is mapped
  QWidget::showEvent(event);
}

// A compositor may still maximise a window by a key of its own (GNOME's Super+Up); a fixed
// window stays as it is.
void CentredWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  }
}

void CentredWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    machine_.input({.kind = InputKind::Escape, .window = id_});
    return;
  }
  QWidget::keyPressEvent(event);
}

void CentredWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  machine_.closeSideWindow(id_);
}

void bringToFront(QWidget& window) {
  // A window flung off every screen (or left on one since unplugged) comes back, whole, onto
  // the main screen.
  const QRect frame = window.frameGeometry();
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen && !QGuiApplication::screenAt(frame.center())) {
    const QRect room = screen->availableGeometry();
    window.move(std::max(room.left(), std::min(frame.left(), room.right() + 1 - frame.width())),
                std::max(room.top(), std::min(frame.top(), room.bottom() + 1 - frame.height())));
  }
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace vertuno::qt
