#include <windows.h>

#include "machine/machine.h"
#include "stats/start_refusal.h"
#include "win32/machine_window.h"
#include "win32/one_machine_per_file.h"
#include "win32/platform.h"
#include "win32/totals_location.h"
#include "win32/view.h"
#include "windows/text.h"

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
  OneMachinePerFile oneMachine(totals);
  Win32View view;
  switch (const Start start = claimMoney(oneMachine, totals); start.outcome) {
    case Start::Outcome::Play: break;
    case Start::Outcome::HandedOver: return 0;
    case Start::Outcome::Refused: {
      const RefusalBox box = refusalBox(start.refusal);
      view.messageBox(box.text, box.title, MessageStyle::WarningOk);
      return 1;
    }
  }
  Win32Platform platform(folder, windows::widen(totals.file));
  platform.keepTotalsFile(oneMachine.played().held, oneMachine.played().claim);
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
