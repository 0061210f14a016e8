#include "win32/about_window.h"

#include "win32/resources.h"
#include "win32/fonts.h"

namespace vertuno::win32 {

AboutWindow::AboutWindow(HWND owner) : SideWindow(owner, L"О программе \"Вертуно\"", {341, 108}) {
  headingFont_ = makeFont(DialogFaces, 8.25, true);
  addPicture(100, VERTUNO_EMBLEM, {9, 9});
  addControl(L"STATIC", 1, L"Программа \"Вертуно\" для Windows", {104, 8, 337, 25}, SS_LEFT | SS_NOPREFIX,
             headingFont_);
  addControl(L"STATIC", 2, L"Программа не является рекламой игровых автоматов!", {104, 32, 337, 57},
             SS_LEFT | SS_NOPREFIX, nullptr);
  addControl(L"STATIC", 3, L"Нарисовано нами, 2026", {104, 80, 249, 97}, SS_LEFT | SS_NOPREFIX, nullptr);
}

AboutWindow::~AboutWindow() { DeleteObject(headingFont_); }

}  // namespace vertuno::win32
