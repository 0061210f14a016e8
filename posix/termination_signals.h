#pragma once

namespace vertuno::posix {

// The desktop ending the program (logout, Ctrl+C, a closed terminal) by SIGTERM, SIGINT or
// SIGHUP. A handler may do almost nothing safely, so each signal only writes a byte to a pipe,
// and the program's own loop ends the program when the pipe can be read.
class TerminationSignals {
 public:
  // Catches the signals from now on; false when no pipe could be made (they then end the
  // program as by default).
  bool catchSignals();
  // Readable once a signal has come.
  int descriptor() const { return pipe_[0]; }
  // Reads what the signals wrote, so the descriptor is quiet again until the next one.
  void drain();

 private:
  int pipe_[2] = {-1, -1};
};

}  // namespace vertuno::posix
