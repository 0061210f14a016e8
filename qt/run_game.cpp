#include "qt/run_game.h"

#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <cstdlib>

#include "qt/command_line.h"
#include "qt/destroyed_window.h"
#include "qt/display_opening.h"
#include "qt/fonts.h"
#include "machine/machine.h"
#include "qt/machine_window.h"
#include "qt/one_machine_per_file.h"
#include "qt/platform.h"
#include "qt/view.h"
#include "posix/durable_file.h"
#include "qt/totals_location.h"

namespace vertuno::qt {

namespace {

int signalPipe[2] = {-1, -1};
Machine* runningMachine = nullptr;

// Qt ends the process with exit() when the connection to the display breaks.
void saveOnLostDisplay() {
  if (runningMachine) runningMachine->saveWithoutViews();
}

void forwardSignal(int) {
  const char byte = 1;
  [[maybe_unused]] auto ignored = ::write(signalPipe[1], &byte, 1);
}

// The desktop ending the program (logout, Ctrl+C, a closed terminal) still keeps the money.
void saveOnSignals(Machine& machine, QObject* owner) {
  if (::pipe(signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [&machine] {
    machine.Form2_Terminate();
    machine.Form_Terminate();
    std::_Exit(machine.warnIfMoneyUnsaved() ? 1 : 0);
  });
  struct sigaction action {};
  action.sa_handler = forwardSignal;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace

int runGame(int argc, char** argv, const PlatformMaker& makePlatform) {
  if (const auto status = answerCommandLine(argc, argv)) return *status;
  const std::unique_ptr<QApplication> app = openDisplay(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vertuno"));
  // No display name: on X11 Qt would add it to every window title, and each title stands as given.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.vertuno.Vertuno"));
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/icon.svg")));
  installMachineFonts();

  const QString programFolder = QCoreApplication::applicationDirPath();
  const QString totalsFile = chooseTotalsFile(programFolder);
  OneMachinePerFile oneMachine(totalsFile);
  if (!oneMachine.claim()) {
    complain(inLocaleLanguage("этот автомат уже запущен; его окно выведено вперёд",
                              "this machine is already running; its window is brought to the front"));
    return 0;
  }
  posix::removeStaleTemporaries(totalsFile.toStdString());
  const std::unique_ptr<QtPlatform> platform =
      makePlatform ? makePlatform(programFolder, totalsFile)
                   : std::make_unique<QtPlatform>(programFolder, totalsFile);
  QtView view;
  Machine machine(*platform, view);
  MachineWindow window(machine);
  view.attach(machine, window);
  platform->attach(machine);
  oneMachine.bringForwardOnRequest(window);
  DestroyedWindowWatch destroyedWindow(machine, window);
  app->installNativeEventFilter(&destroyedWindow);
  saveOnSignals(machine, app.get());
  runningMachine = &machine;
  std::atexit(saveOnLostDisplay);

  platform->startWindowTimers();
  machine.Form_Load();
  const int status = QApplication::exec();
  machine.Form2_Terminate();
  machine.Form_Terminate();
  runningMachine = nullptr;
  return machine.warnIfMoneyUnsaved() ? 1 : status;
}

}  // namespace vertuno::qt
