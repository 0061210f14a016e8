#include "win32/info_window.h"

#include "win32/resources.h"
#include "win32/fonts.h"
#include "win32/text.h"

namespace vertuno::win32 {

namespace {

// Numbered as the window's controls are, so a reader of the window finds them.
enum ControlId { Command1 = 1, Image1 = 100, Frame2 = 102, Label5 = 5, Label6 = 6, Label7 = 7, Label8 = 8,
                 Label9 = 9, Label10 = 10, Label11 = 11, Label12 = 12, Label13 = 13 };
constexpr int FrameLeft = 184;

RECT inFrame(int left, int top, int width = 97) { return {FrameLeft + left, top, FrameLeft + left + width, top + 17}; }
// A caption may run to the frame's inner edge: Wine's faces set a pixel or two wider.
RECT captionInFrame(int top) { return inFrame(8, top, 105); }

}  // namespace

InfoWindow::InfoWindow(Machine& machine, HWND owner)
    : SideWindow(owner, L"Информация", {310, 237}), machine_(machine) {
  valueFont_ = makeFont(ArialFaces, 12, true);
  addControl(L"BUTTON", Frame2, L"Счетчики", {FrameLeft, 0, FrameLeft + 121, 201}, BS_GROUPBOX, nullptr);
  addPicture(Image1, VERTUNO_COINS, {8, 8});
  const DWORD text = SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE;
  const DWORD value = SS_RIGHT | SS_NOPREFIX | SS_CENTERIMAGE;
  addControl(L"STATIC", Label6, L"Закинуто монет:", captionInFrame(24), text, nullptr);
  coinsInserted_ = addControl(L"STATIC", Label7, L"0", inFrame(8, 40), value, valueFont_);
  addControl(L"STATIC", Label8, L"Выиграно монет:", captionInFrame(67), text, nullptr);
  coinsWon_ = addControl(L"STATIC", Label9, L"0", inFrame(8, 88), value, valueFont_);
  addControl(L"STATIC", Label10, L"Денег в автомате:", captionInFrame(115), text, nullptr);
  machineMoney_ = addControl(L"STATIC", Label11, L"500", inFrame(8, 132), value, valueFont_);
  addControl(L"STATIC", Label13, L"Выручка автомата:", captionInFrame(160), text, nullptr);
  takings_ = addControl(L"STATIC", Label12, L"0", inFrame(8, 176), value, valueFont_);
  addControl(L"BUTTON", Command1, L"ОК", {224, 208, 305, 233}, BS_DEFPUSHBUTTON | WS_TABSTOP, nullptr);
  addControl(L"STATIC", Label5, L"Вертуно: нарисован нами", {8, 212, 169, 229}, text, nullptr);
}

InfoWindow::~InfoWindow() { DeleteObject(valueFont_); }

void InfoWindow::refresh() {
  const MachineState& state = machine_.state();
  if (!state.InfoLoaded) return;
  SetWindowTextW(coinsInserted_, widen(state.Info.CoinsInserted).c_str());
  SetWindowTextW(coinsWon_, widen(state.Info.CoinsWon).c_str());
  SetWindowTextW(machineMoney_, widen(state.Info.MachineMoney).c_str());
  SetWindowTextW(takings_, widen(state.Info.Takings).c_str());
}

void InfoWindow::command(int id) {
  if (id == Command1) machine_.Command1_Click();
}

void InfoWindow::closed() { machine_.closeInfoWindow(); }

}  // namespace vertuno::win32
