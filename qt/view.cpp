#include "qt/view.h"

#include <QCursor>
#include <QMessageBox>
#include <QPushButton>

#include "machine/machine.h"
#include "qt/info_window_view.h"
#include "qt/layout.h"
#include "qt/machine_window.h"
#include "qt/title_strip.h"
#include "qt/wayland_desktop.h"

namespace vertuno::qt {

QtView::QtView() = default;

QtView::~QtView() = default;

void QtView::attach(Machine& machine, MachineWindow& window) {
  machine_ = &machine;
  window_ = &window;
}

Answer QtView::messageBox(const std::string& text, const std::string& title, MessageStyle style) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(style == MessageStyle::WarningOk ? QMessageBox::Warning : QMessageBox::Information,
                  QString::fromStdString(title), shown, QMessageBox::NoButton, window_);
  if (windowsDrawTheirOwnTitleBars()) putUnderOwnTitleStrip(box);
  if (style == MessageStyle::InformationYesNo) {
    QPushButton* yes = box.addButton(toText(message_box::Yes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(toText(message_box::No), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
  }
  QPushButton* ok = box.addButton(toText(message_box::Ok), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return Answer::Ok;
}

void QtView::showMachineWindow() { window_->show(); }

void QtView::raiseMachineWindow() { window_->raise(); }

MenuChoice QtView::popupMainMenu(std::optional<Point> at) {
  QMenu menu(window_);
  menu_ = &menu;
  menu.setObjectName(toText(machine_window::MenuName));
  for (const MenuItem& item : machine_window::Menu) {
    if (item.text.empty()) {
      menu.addSeparator();
    } else {
      menu.addAction(toText(item.text))->setData(static_cast<int>(item.choice));
    }
  }
  const QAction* chosen = menu.exec(at ? window_->mapToGlobal(QPoint(at->x, at->y)) : QCursor::pos());
  return chosen ? static_cast<MenuChoice>(chosen->data().toInt()) : MenuChoice::None;
}

void QtView::closeMainMenu() {
  if (menu_) menu_->close();
}

InfoWindowView& QtView::infoWindow() {
  if (!info_) {
    info_ = std::make_unique<InfoWindowView>(*machine_);
    info_->refresh();
  }
  return *info_;
}

CentredWindow& QtView::aboutWindow() {
  if (!about_) {
    about_ = std::make_unique<CentredWindow>(about_window::Layout, *machine_);
  }
  return *about_;
}

void QtView::showInfoWindow() { infoWindow().showCentred(); }

void QtView::hideInfoWindow() {
  if (info_) info_->hide();
}

void QtView::showAboutWindow() { aboutWindow().showCentred(); }

void QtView::hideAboutWindow() {
  if (about_) about_->hide();
}

bool QtView::handDragToDesktop(Point moved) { return window_->handDragToDesktop({moved.x, moved.y}); }

void QtView::dragEnded() { window_->dragEnded(); }

void QtView::moveMachineWindowBy(Point offset) { window_->move(window_->pos() + QPoint(offset.x, offset.y)); }

void QtView::changed(Change what) {
  window_->refresh(what);
  if (what == Change::InfoWindow && info_) info_->refresh();
}

}  // namespace vertuno::qt
