#include "win32/machine_window.h"

#include <windowsx.h>

#include <cmath>
#include <vector>

#include "win32/resources.h"
#include "board/cell_pictures.h"
#include "win32/fonts.h"
#include "win32/layout.h"
#include "machine/outlines.h"
#include "win32/platform.h"
#include "win32/text.h"
#include "win32/window_owner.h"

namespace vertuno::win32 {

namespace {

constexpr wchar_t ClassName[] = L"VertunoMachine";
using machine_window::CellPositions;
using machine_window::Height;
using machine_window::Width;


// A cell picture as a top-down 32-bit bitmap, made once per picture.
struct CellDib {
  BITMAPINFO info{};
  std::vector<std::uint32_t> pixels;
};

CellDib toDib(const CellBitmap& bitmap) {
  CellDib dib;
  dib.info.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.width, -bitmap.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  for (const Rgb& p : bitmap.pixels) {
    dib.pixels.push_back(static_cast<std::uint32_t>(p.r) << 16 | static_cast<std::uint32_t>(p.g) << 8 | p.b);
  }
  return dib;
}

// The cabinet's dark cell, then each picture on it, made once.
const CellDib& cellDib(CellPicture picture) {
  static std::array<CellDib, static_cast<std::size_t>(CellPicture::None) + 1> made;
  CellDib& dib = made[static_cast<std::size_t>(picture)];
  if (dib.pixels.empty()) dib = toDib(picture == CellPicture::None ? drawDarkCell() : drawCellPicture(picture));
  return dib;
}

void drawCell(HDC canvas, Point at, const CellDib& dib) {
  SetDIBitsToDevice(canvas, at.x, at.y, static_cast<DWORD>(dib.info.bmiHeader.biWidth),
                    static_cast<DWORD>(-dib.info.bmiHeader.biHeight), 0, 0, 0,
                    static_cast<UINT>(-dib.info.bmiHeader.biHeight), dib.pixels.data(), &dib.info, DIB_RGB_COLORS);
}

MouseButton heldButtons(WPARAM keys) {
  return static_cast<MouseButton>((keys & MK_LBUTTON ? 1U : 0U) | (keys & MK_RBUTTON ? 2U : 0U) |
                                  (keys & MK_MBUTTON ? 4U : 0U));
}

void registerClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(VERTUNO_ICON));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = ClassName;
  RegisterClassExW(&windowClass);
}

}  // namespace

MachineWindow::MachineWindow(Machine& machine, HINSTANCE instance) : machine_(machine) {
  registerClass(instance, procedure);
  faces_[0] = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(VERTUNO_CABINET + 100), IMAGE_BITMAP, 0, 0, 0));
  faces_[1] = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(VERTUNO_DEMO + 100), IMAGE_BITMAP, 0, 0, 0));

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  window_ = CreateWindowExW(0, ClassName, widen(machine_window::Title).c_str(), WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU,
                            (work.left + work.right - Width) / 2, (work.top + work.bottom - Height) / 2,
                            Width, Height, nullptr, nullptr, instance, this);
  useFace();
  applyOutline();

  purse_ = addText(machine_window::Purse);
  winBanner_ = addText(machine_window::WinBanner);
  ShowWindow(winBanner_.control, SW_HIDE);
  prizeAmount_ = addText(machine_window::PrizeAmount);
  coinWord_ = addText(machine_window::CoinWord);

  for (std::size_t i = 0; i < spots_.size(); ++i) {
    const HotSpotLayout& spot = machine_window::HotSpots[i];
    spots_[i] = {toRect(spot.box), &spot};
  }
}

MachineWindow::~MachineWindow() {
  DestroyWindow(window_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(faces_[0]), static_cast<HGDIOBJ>(faces_[1]),
                         static_cast<HGDIOBJ>(faceBrush_), static_cast<HGDIOBJ>(purse_.font),
                         static_cast<HGDIOBJ>(winBanner_.font), static_cast<HGDIOBJ>(prizeAmount_.font),
                         static_cast<HGDIOBJ>(coinWord_.font)}) {
    DeleteObject(object);
  }
}

MachineWindow::Text MachineWindow::addText(const CabinetLabel& label) {
  const DWORD align = label.align == Align::Left ? SS_LEFT : SS_CENTER;
  const Box& box = label.box;
  Text text{nullptr, makeFont(label.font), &label};
  text.control = CreateWindowExW(0, L"STATIC", widen(label.designCaption).c_str(),
                                 WS_CHILD | WS_VISIBLE | align | SS_CENTERIMAGE | SS_NOPREFIX, box.left, box.top,
                                 box.width, box.height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlNumber(label.name))), nullptr,
                                 nullptr);
  SendMessageW(text.control, WM_SETFONT, reinterpret_cast<WPARAM>(text.font), FALSE);
  return text;
}

void MachineWindow::applyOutline() {
  const std::span<const Point> outline = outlineFor(machine_.state().CabinetFace);
  std::vector<POINT> points;
  for (const Point& p : outline) points.push_back({p.x, p.y});
  // The system owns the region once it is set.
  SetWindowRgn(window_, CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE), TRUE);
}

void MachineWindow::useFace() {
  if (faceBrush_) DeleteObject(faceBrush_);
  faceBrush_ = CreatePatternBrush(faces_[static_cast<std::size_t>(machine_.state().CabinetFace)]);
}

void MachineWindow::refresh(Change what) {
  const MachineState& state = machine_.state();
  switch (what) {
    case Change::PlayerCoins:
      SetWindowTextW(purse_.control, widen(state.PlayerCoins).c_str());
      ShowWindow(purse_.control, state.PlayerCoinsVisible ? SW_SHOWNA : SW_HIDE);
      break;
    case Change::WinDisplay:
      ShowWindow(winBanner_.control, state.WinBannerVisible ? SW_SHOWNA : SW_HIDE);
      SetWindowTextW(prizeAmount_.control, widen(state.PrizeAmountText).c_str());
      SetWindowTextW(coinWord_.control, widen(state.CoinWordText).c_str());
      break;
    case Change::Cells:
      for (Point cell : CellPositions) {
        const RECT area{cell.x, cell.y, cell.x + CellWidth, cell.y + CellHeight};
        InvalidateRect(window_, &area, FALSE);
      }
      break;
    case Change::Face:
      useFace();
      applyOutline();
      RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      break;
    case Change::Coin: {
      InvalidateRect(window_, &paintedCoin_, FALSE);
      const RECT coin = coinRect();
      InvalidateRect(window_, &coin, FALSE);
      break;
    }
    case Change::InfoWindow:
      break;
  }
}

RECT MachineWindow::coinRect() const {
  const MachineState& state = machine_.state();
  if (state.CoinLeft >= Width) return {};
  const int left = static_cast<int>(std::floor(state.CoinLeft));
  const int top = static_cast<int>(std::floor(state.CoinTop));
  return {left, top, left + machine_window::CoinWidth + 1, top + machine_window::CoinHeight + 1};
}

// Painted off screen and copied in one piece, so the falling coin never flickers.
void MachineWindow::paint() {
  PAINTSTRUCT paintStruct;
  HDC screen = BeginPaint(window_, &paintStruct);
  HDC canvas = CreateCompatibleDC(screen);
  HBITMAP surface = CreateCompatibleBitmap(screen, Width, Height);
  HGDIOBJ oldSurface = SelectObject(canvas, surface);

  HDC face = CreateCompatibleDC(screen);
  HGDIOBJ oldFace = SelectObject(face, faces_[static_cast<std::size_t>(machine_.state().CabinetFace)]);
  BitBlt(canvas, 0, 0, Width, Height, face, 0, 0, SRCCOPY);
  SelectObject(face, oldFace);
  DeleteDC(face);

  const MachineState& state = machine_.state();
  for (std::size_t i = 0; i < 3; ++i) {
    drawCell(canvas, CellPositions[i], cellDib(CellPicture::None));
    if (state.Tab[i] != CellPicture::None) drawCell(canvas, CellPositions[i], cellDib(state.Tab[i]));
  }

  paintedCoin_ = coinRect();
  if (!IsRectEmpty(&paintedCoin_)) {
    HBRUSH fill = CreateSolidBrush(toColour(machine_window::CoinFill));
    HPEN border = CreatePen(PS_SOLID, 1, toColour(machine_window::CoinBorder));
    HGDIOBJ oldBrush = SelectObject(canvas, fill);
    HGDIOBJ oldPen = SelectObject(canvas, border);
    Ellipse(canvas, paintedCoin_.left, paintedCoin_.top, paintedCoin_.right, paintedCoin_.bottom - 1);
    SelectObject(canvas, oldBrush);
    SelectObject(canvas, oldPen);
    DeleteObject(fill);
    DeleteObject(border);
  }

  const RECT& dirty = paintStruct.rcPaint;
  BitBlt(screen, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, canvas,
         dirty.left, dirty.top, SRCCOPY);
  SelectObject(canvas, oldSurface);
  DeleteObject(surface);
  DeleteDC(canvas);
  EndPaint(window_, &paintStruct);
}

MachineWindow::HotSpot* MachineWindow::spotAt(POINT point) {
  for (HotSpot& spot : spots_) {
    if (PtInRect(&spot.area, point)) return &spot;
  }
  return nullptr;
}

// Texts and the board keep their presses, as their Linux twins do: no menu, no drag from them.
bool MachineWindow::keepsPress(POINT point) const {
  const RECT board{CellPositions[0].x, CellPositions[0].y, CellPositions[2].x + CellWidth,
                   CellPositions[2].y + CellHeight};
  return PtInRect(&board, point) || ChildWindowFromPointEx(window_, point, CWP_SKIPINVISIBLE) != window_;
}

// A press on a hot spot is the spot's alone; the second press of a double-click is a
// double-click alone, with no press and no second click.
void MachineWindow::buttonDown(MouseButton button, POINT point, bool doubleClick) {
  if (HotSpot* spot = spotAt(point)) {
    SetCapture(window_);  // the release comes to the spot pressed, wherever it happens
    pressedSpot_ = spot;
    if (button == MouseButton::Left) inDoubleClick_ = doubleClick;
    call(doubleClick ? spot->layout->onDoubleClick : spot->layout->onPress);
    return;
  }
  pressedSpot_ = nullptr;
  pressKept_ = keepsPress(point);
  if (pressKept_) return;
  pressedAt_ = point;
  ClientToScreen(window_, &pressedAt_);
  // A drag whose first motion already leaves the window still reaches it.
  if (button == MouseButton::Left) SetCapture(window_);
  machine_.Form_MouseDown(button);
}

void MachineWindow::buttonUp(MouseButton button, POINT point) {
  HotSpot* spot = pressedSpot_;
  if (GetCapture() == window_) ReleaseCapture();
  pressKept_ = false;
  if (!spot) return;
  const bool click = button == MouseButton::Left && !inDoubleClick_ && PtInRect(&spot->area, point);
  pressedSpot_ = nullptr;
  if (button == MouseButton::Left) inDoubleClick_ = false;
  call(spot->layout->onRelease);
  if (click) call(spot->layout->onClick);
}

LRESULT CALLBACK MachineWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = windowOwner(window, message, lParam, &MachineWindow::window_);
  return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MachineWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  switch (message) {
    case WM_PAINT: paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CTLCOLORSTATIC: {
      // Each text stands on the part of the face behind it.
      auto dc = reinterpret_cast<HDC>(wParam);
      auto text = reinterpret_cast<HWND>(lParam);
      RECT area;
      GetWindowRect(text, &area);
      MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
      SetBrushOrgEx(dc, -area.left, -area.top, nullptr);
      SetBkMode(dc, TRANSPARENT);
      for (const Text& shown : {purse_, winBanner_, prizeAmount_, coinWord_}) {
        if (shown.control == text) SetTextColor(dc, toColour(shown.label->colour));
      }
      return reinterpret_cast<LRESULT>(faceBrush_);
    }
    case WM_TIMER:
      if (wParam == Win32Platform::Timer2 && menuOpen_ && machine_.idleTickStartsDemo()) {
        // The menu closes, as the Linux game's does, and the tick comes again once its loop has
        // ended: a demo played inside that loop would leave the menu deaf to the player.
        EndMenu();
        PostMessageW(window_, WM_TIMER, wParam, 0);
        return 0;
      }
      if (wParam == Win32Platform::Timer1) machine_.Timer1_Timer();
      if (wParam == Win32Platform::Timer2) machine_.Timer2_Timer();
      return 0;
    case WM_LBUTTONDOWN: buttonDown(MouseButton::Left, point, false); return 0;
    case WM_LBUTTONDBLCLK: buttonDown(MouseButton::Left, point, spotAt(point) != nullptr); return 0;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: buttonDown(MouseButton::Right, point, false); return 0;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: buttonDown(MouseButton::Middle, point, false); return 0;
    case WM_LBUTTONUP: buttonUp(MouseButton::Left, point); return 0;
    case WM_RBUTTONUP: buttonUp(MouseButton::Right, point); return 0;
    case WM_MBUTTONUP: buttonUp(MouseButton::Middle, point); return 0;
    case WM_MOUSEMOVE:
      if (!pressedSpot_ && !pressKept_ && machine_.Form_MouseMove(heldButtons(wParam))) {
        // The caption drag: the system moves the window until the button is let go, from
        // where the pointer is now; the window first catches up with the way it has come.
        const DWORD now = GetMessagePos();
        RECT frame;
        GetWindowRect(window_, &frame);
        SetWindowPos(window_, nullptr, frame.left + GET_X_LPARAM(now) - pressedAt_.x,
                     frame.top + GET_Y_LPARAM(now) - pressedAt_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ReleaseCapture();
        SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(now));
      }
      return 0;
    case WM_CLOSE: machine_.Form_Unload(); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wParam) {
        machine_.Form2_Terminate();
        machine_.Form_Terminate();
      }
      return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace vertuno::win32
