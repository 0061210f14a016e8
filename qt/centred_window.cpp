#include "qt/centred_window.h"

#include <xcb/xcb.h>

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QSvgWidget>
#include <QScreen>
#include <array>
#include <cstdlib>
#include <cstring>

#include "machine/machine.h"
#include "qt/layout.h"

namespace vertuno::qt {

namespace {

xcb_atom_t atomNamed(xcb_connection_t* connection, const char* name) {
  const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

// An X11 manager offers minimise to every normal or dialog window it gives the focus, whatever
// the window's own hints say; a utility window, one kept open beside the main window while the
// player works, gets none. Managers keep a utility window above the other windows of its group,
// so it leads a group of its own. All of it goes before every map: a manager drops the states of
// a withdrawn window.
void describeToX11Manager(QWidget& window) {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_atom_t type = atomNamed(connection, "_NET_WM_WINDOW_TYPE_UTILITY");
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atomNamed(connection, "_NET_WM_WINDOW_TYPE"),
                      XCB_ATOM_ATOM, 32, 1, &type);
  constexpr uint32_t TakesInput = 1U << 0;
  constexpr uint32_t LeadsGroup = 1U << 6;
  const std::array<uint32_t, 9> hints{TakesInput | LeadsGroup, 1U, 0, 0, 0, 0, 0, 0, id};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                      hints.size(), hints.data());
  const std::array states{atomNamed(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                          atomNamed(connection, "_NET_WM_STATE_SKIP_PAGER")};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atomNamed(connection, "_NET_WM_STATE"),
                      XCB_ATOM_ATOM, 32, states.size(), states.data());
}

QWidget* addControl(QWidget* parent, const Control& control, Machine* machine) {
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
      if (machine && control.onClick) {
        QObject::connect(button, &QPushButton::clicked, button, [machine, handler = control.onClick] {
          (machine->*handler)();
        });
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

CentredWindow::CentredWindow(const SideWindowLayout& layout, Machine* machine) {
  setObjectName(toText(layout.name));
  // A plain window, not a dialog: X11 makes a dialog transient for a window of the program, and
  // managers then keep it above the cabinet for good.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(toText(layout.title));
  setFixedSize(layout.width, layout.height);
  setFont(toFont(DialogFont));

  QWidget* frame = nullptr;
  for (const Control& control : layout.controls) {
    QWidget* widget = addControl(control.inFrame ? frame : this, control, machine);
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
  }
  bringToFront(*this);
}

void CentredWindow::showEvent(QShowEvent* event) {
  describeToX11Manager(*this);  // the show event comes before the window is mapped
  QWidget::showEvent(event);
}

// Where the window's title bar is drawn by Qt itself (Wayland without the compositor's own),
// it has a maximise button whatever the flags say; a fixed window stays as it is.
void CentredWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange &&
      windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  }
}

void CentredWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void bringToFront(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace vertuno::qt
