#include "qt/ending_on_signals.h"

#include <QSocketNotifier>

#include "machine/machine.h"
#include "qt/platform.h"

namespace vertuno::qt {

void endOnSignals(posix::TerminationSignals& endings, Machine& machine, QtPlatform& platform, QObject* owner) {
  if (!endings.catchSignals()) return;
  auto* notifier = new QSocketNotifier(endings.descriptor(), QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [&endings, &machine, &platform, notifier] {
    notifier->setEnabled(false);
    endings.drain();
    machine.Form2_Terminate();
    machine.Form_Terminate();
    platform.endProgram(machine.reportMoneyUnsaved() ? 1 : 0);
  });
}

}  // namespace vertuno::qt
