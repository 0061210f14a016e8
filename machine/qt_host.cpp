#include "machine/qt_host.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "machine/machine.h"
#include "machine/machine_window.h"
#include "stats/about_window.h"
#include "stats/durable_file_posix.h"
#include "stats/info_window_view.h"

namespace vertuno {

QtHost::QtHost(QString programFolder, QString totalsFile)
    : programFolder_(std::move(programFolder)), totalsFile_(std::move(totalsFile)) {
  // A coarse timer may fire early; a wait lasts at least its interval.
  timer1_.setTimerType(Qt::PreciseTimer);
  timer2_.setTimerType(Qt::PreciseTimer);  // a coarse tick may drift toward a whole second
  timer2_.setInterval(2888);
  timer3_.setInterval(3000);
}

QtHost::~QtHost() = default;

void QtHost::attach(Machine& machine, MachineWindow& window) {
  machine_ = &machine;
  window_ = &window;
  connect(&timer1_, &QTimer::timeout, this, [this] { machine_->Timer1_Timer(); });
  connect(&timer2_, &QTimer::timeout, this, [this] { machine_->Timer2_Timer(); });
}

void QtHost::startWindowTimers() {
  timer2_.start();
  timer3_.start();
}

void QtHost::pumpEvents() { QCoreApplication::processEvents(); }

// Sleeps in the event loop until something arrives: a wait never spins a processor.
void QtHost::waitForEvents() { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents); }

void QtHost::armWaitTimer(int intervalMs) { timer1_.start(intervalMs); }

void QtHost::disarmWaitTimer() { timer1_.stop(); }

int QtHost::messageBox(const std::string& text, const std::string& title, int style) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(style == StyleWarningOk ? QMessageBox::Warning : QMessageBox::Information, QString::fromStdString(title), shown,
                  QMessageBox::NoButton, window_);
  if (style == StyleInformationYesNo) {
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? AnswerYes : AnswerNo;
  }
  QPushButton* ok = box.addButton(QStringLiteral("ОК"), QMessageBox::AcceptRole);
  box.setDefaultButton(ok);
  box.setEscapeButton(ok);
  box.exec();
  return AnswerOk;
}

std::error_code QtHost::replaceFile(const std::string& path, const std::string& bytes) {
  return replaceFileDurably(path, bytes);
}

void QtHost::playSound(const std::string& path) { sounds_.play(QString::fromStdString(path)); }

// Two plays never share a seed: the clock is mixed with a count of reseeds.
void QtHost::reseedRandom() {
  const auto now = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  ++reseeds_;
  std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                     static_cast<std::uint32_t>(reseeds_), static_cast<std::uint32_t>(reseeds_ >> 32)};
  random_.seed(seed);
}

double QtHost::nextRandom() {
  return static_cast<double>(random_() >> 11) * 0x1.0p-53;  // [0, 1), all 53 bits
}

void QtHost::setOutline(std::span<const Point> outline) { window_->setOutline(outline); }

void QtHost::showMachineWindow() { window_->show(); }

void QtHost::startWindowDrag() { window_->dragWithPointer(); }

MenuChoice QtHost::popupMainMenu() {
  QMenu menu(window_);
  menu.setObjectName(QStringLiteral("MainMenu"));
  QAction* statistics = menu.addAction(QStringLiteral("Статистика"));
  QAction* about = menu.addAction(QStringLiteral("О программе..."));
  menu.addSeparator();
  QAction* exit = menu.addAction(QStringLiteral("Выход"));
  QAction* chosen = menu.exec(QCursor::pos());
  if (chosen == statistics) return MenuChoice::Statistics;
  if (chosen == about) return MenuChoice::About;
  if (chosen == exit) return MenuChoice::Exit;
  return MenuChoice::None;
}

InfoWindowView& QtHost::infoWindow() {
  if (!info_) {
    info_ = std::make_unique<InfoWindowView>(*machine_);
    info_->refresh();
  }
  return *info_;
}

AboutWindow& QtHost::aboutWindow() {
  if (!about_) about_ = std::make_unique<AboutWindow>();
  return *about_;
}

void QtHost::showInfoWindow() { infoWindow().showCentred(); }

void QtHost::hideInfoWindow() {
  if (info_) info_->hide();
}

void QtHost::showAboutWindow() { aboutWindow().showCentred(); }

void QtHost::endProgram(int status) {
  if (endProgramHook) endProgramHook(status);
  std::fflush(nullptr);
  std::_Exit(status);
}

void QtHost::changed(Change what) {
  window_->refresh(what);
  if (what == Change::InfoWindow && info_) info_->refresh();
}

}  // namespace vertuno
