#pragma once

namespace vertuno::qt {

// The machine's texts are set in Arial and MS Sans Serif; Liberation Sans has Arial's metrics.
void installMachineFonts();

}  // namespace vertuno::qt
