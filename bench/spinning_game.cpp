// The game with the wait a polling loop would have: dispatch pending events once, read the
// interval, again, keeping a processor busy for the whole wait. For comparison only: the
// machine and its window on that platform, without the real start's claim and signals.
#include <QApplication>
#include <QFile>

#include "machine/machine.h"
#include "qt/fonts.h"
#include "qt/machine_window.h"
#include "qt/platform.h"
#include "qt/view.h"

namespace {

class SpinningPlatform final : public vertuno::qt::QtPlatform {
 public:
  using QtPlatform::QtPlatform;
  void waitForEvents() override { pumpEvents(); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vertuno::qt::installMachineFonts();
  const std::string folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  SpinningPlatform platform(folder, folder + "/data1.ini");
  vertuno::qt::QtView view;
  vertuno::Machine machine(platform, view);
  vertuno::qt::MachineWindow window(machine);
  view.attach(machine, window);
  platform.attach(machine);
  platform.startWindowTimers();
  machine.Form_Load();
  return QApplication::exec();
}
