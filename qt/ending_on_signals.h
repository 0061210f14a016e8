#pragma once

#include <QObject>

#include "posix/termination_signals.h"

namespace vertuno {
class Machine;
}

namespace vertuno::qt {

class QtPlatform;

// The desktop ending the program (logout, Ctrl+C, a closed terminal) still keeps the money. When
// that save fails, standard error says so and the program ends with a failure at once: a box
// would wait for a player who is leaving. A second signal changes nothing.
void endOnSignals(posix::TerminationSignals& endings, Machine& machine, QtPlatform& platform, QObject* owner);

}  // namespace vertuno::qt
