#include <windows.h>

#include "machine/machine.h"
#include "stats/start_refusal.h"
#include "win32/machine_window.h"
#include "win32/one_machine_per_file.h"
#include "win32/platform.h"
#include "win32/view.h"
#include "windows/durable_file.h"
#include "windows/text.h"
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
  OneMachinePerFile oneMachine(totals.file, totals.carryFrom);
  Win32View view;
  switch (oneMachine.claim()) {
    case OneMachinePerFile::Start::Play: break;
    case OneMachinePerFile::Start::HandedOver: return 0;
    // Another game (the Linux one, under Wine) plays on this file: starting would wipe its coins.
    case OneMachinePerFile::Start::Refused: {
      const RefusalBox box = refusalBox({StartRefusal::Holder::Silent, windows::narrow(totals.file), {}});
      view.messageBox(box.text, box.title, MessageStyle::WarningOk);
      return 1;
    }
  }
  auto& played = oneMachine.played();
  windows::removeStaleTemporaries(played.held);
  if (!totals.carryFrom.empty()) carryMoney(totals, oneMachine.carried().held, played.held, played.claim);
  Win32Platform platform(folder, totals.file);
  platform.keepTotalsFile(played.held, played.claim);
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
