#include "qt/run_game.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <cstdlib>

#include "machine/machine.h"
#include "posix/termination_signals.h"
#include "qt/command_line.h"
#include "qt/destroyed_window.h"
#include "qt/display_opening.h"
#include "qt/ending_on_signals.h"
#include "qt/fonts.h"
#include "qt/machine_window.h"
#include "qt/one_machine_per_file.h"
#include "qt/platform.h"
#include "qt/terminal_text.h"
#include "qt/totals_location.h"
#include "qt/view.h"
#include "stats/start_refusal.h"

namespace vertuno::qt {

namespace {

Machine* runningMachine = nullptr;
OneMachinePerFile* runningClaim = nullptr;

// Qt ends the process with exit() when the connection to the display breaks.
void saveOnLostDisplay() {
  if (runningMachine) runningMachine->saveWithoutViews();
  if (runningClaim) runningClaim->release();
}

}  // namespace

int runGame(int argc, char** argv) {
  if (const auto status = answerCommandLine(argc, argv)) return *status;
  const std::unique_ptr<QApplication> app = openDisplay(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vertuno"));
  // No display name: on X11 Qt would add it to every window title, and each title stands as given.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vertuno.Vertuno"));
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/icon.svg")));
  installMachineFonts();

  const QString programFolder = QCoreApplication::applicationDirPath();
  const TotalsLocation totals = chooseTotalsFile(programFolder);
  OneMachinePerFile oneMachine(totals);
  QtView view;
  switch (const Start start = claimMoney(oneMachine, totals); start.outcome) {
    case Start::Outcome::Play: break;
    case Start::Outcome::HandedOver:
      complain(inLocaleLanguage("этот автомат уже запущен; его окно выведено вперёд",
                                "this machine is already running; its window is brought to the front"));
      return 0;
    case Start::Outcome::Refused: {
      const RefusalBox box = refusalBox(start.refusal);
      complain(QString::fromStdString(box.text));
      view.messageBox(box.text, box.title, MessageStyle::WarningOk);
      return 1;
    }
  }
  QtPlatform platform(QFile::encodeName(programFolder).toStdString(), totals.file);
  platform.keepTotalsFile(oneMachine.played().held, oneMachine.played().claim);
  platform.beforeEnding([&oneMachine] { oneMachine.release(); });
  Machine machine(platform, view);
  MachineWindow window(machine);
  view.attach(machine, window);
  platform.attach(machine);
  oneMachine.bringForwardOnRequest(window);
  DestroyedWindowWatch destroyedWindow(machine, window);
  app->installNativeEventFilter(&destroyedWindow);
  posix::TerminationSignals endings;
  endOnSignals(endings, machine, platform, app.get());
  runningMachine = &machine;
  runningClaim = &oneMachine;
  std::atexit(saveOnLostDisplay);

  platform.startWindowTimers();
  machine.Form_Load();
  const int status = QApplication::exec();
  machine.Form2_Terminate();
  machine.Form_Terminate();
  runningMachine = nullptr;
  runningClaim = nullptr;
  return machine.warnIfMoneyUnsaved() ? 1 : status;
}

}  // namespace vertuno::qt
