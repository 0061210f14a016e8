#include <windows.h>

#include "machine/machine.h"
#include "win32/machine_window.h"
#include "win32/one_machine_per_file.h"
#include "win32/platform.h"
#include "win32/view.h"
#include "win32/durable_file.h"
#include "win32/totals_location.h"

namespace {

std::wstring programFolder() {
  std::wstring path(32768, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path.substr(0, path.find_last_of(L"\\/"));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace vertuno;
  using namespace vertuno::win32;
  const std::wstring folder = programFolder();
  const TotalsLocation totals = chooseTotalsFile(folder);
  const std::wstring& totalsFile = totals.file;
  OneMachinePerFile oneMachine(totalsFile);
  switch (oneMachine.claim()) {
    case OneMachinePerFile::Start::Play: break;
    case OneMachinePerFile::Start::HandedOver: return 0;
    // Another game (the Linux one, under Wine) plays on this file: starting would wipe its coins.
    case OneMachinePerFile::Start::InUseWithoutAnswer: return 1;
  }
  removeStaleTemporaries(totalsFile);
  adoptLaterMoney(totals, oneMachine.fileClaim());
  Win32Platform platform(folder, totalsFile);
  platform.keepClaim(oneMachine.fileClaim());
  Win32View view;
  Machine machine(platform, view);
  MachineWindow window(machine, instance);
  view.attach(machine, window);
  oneMachine.markWindow(window.handle());
  platform.attach(window.handle());
  platform.startWindowTimers();
  machine.Form_Load();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatch(message);
  machine.Form2_Terminate();
  machine.Form_Terminate();
  return machine.warnIfMoneyUnsaved() ? 1 : 0;
}
