#include "win32/machine_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "win32/resources.h"
#include "board/cell_pictures.h"
#include "win32/display_scale.h"
#include "win32/fonts.h"
#include "win32/layout.h"
#include "win32/picture.h"
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


// A cell picture as a top-down 32-bit bitmap, drawn at a whole multiple of its size.
struct CellDib {
  BITMAPINFO info{};
  std::vector<std::uint32_t> pixels;
  int multiple = 0;
};

CellDib toDib(const CellBitmap& bitmap, int multiple) {
  CellDib dib;
  dib.info.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.width, -bitmap.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  for (const Rgb& p : bitmap.pixels) {
    dib.pixels.push_back(static_cast<std::uint32_t>(p.r) << 16 | static_cast<std::uint32_t>(p.g) << 8 | p.b);
  }
  dib.multiple = multiple;
  return dib;
}

// The cabinet's dark cell, then each picture on it, made once per scale: at the next whole
// multiple at or above the display's scale, and brought to it pixel for pixel, so every
// segment stays a crisp block of its own colour.
const CellDib& cellDib(CellPicture picture, DisplayScale scale) {
  static std::array<CellDib, static_cast<std::size_t>(CellPicture::None) + 1> made;
  const int multiple = static_cast<int>((scale.dpi + USER_DEFAULT_SCREEN_DPI - 1) / USER_DEFAULT_SCREEN_DPI);
  CellDib& dib = made[static_cast<std::size_t>(picture)];
  if (dib.multiple != multiple) {
    dib = toDib(picture == CellPicture::None ? drawDarkCell(multiple) : drawCellPicture(picture, multiple), multiple);
  }
  return dib;
}

void drawCell(HDC canvas, Point at, const CellDib& dib, DisplayScale scale) {
  const int width = dib.info.bmiHeader.biWidth, height = -dib.info.bmiHeader.biHeight;
  const RECT area = scale.rect({at.x, at.y, width / dib.multiple, height / dib.multiple});
  SetStretchBltMode(canvas, COLORONCOLOR);
  StretchDIBits(canvas, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0, width, height,
                dib.pixels.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
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
  window_ = CreateWindowExW(0, ClassName, widen(machine_window::Title).c_str(), WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU,
                            0, 0, Width, Height, nullptr, nullptr, instance, this);
  purse_ = addText(machine_window::Purse);
  winBanner_ = addText(machine_window::WinBanner);
  ShowWindow(winBanner_.control, SW_HIDE);
  prizeAmount_ = addText(machine_window::PrizeAmount);
  coinWord_ = addText(machine_window::CoinWord);
  for (std::size_t i = 0; i < spots_.size(); ++i) spots_[i].layout = &machine_window::HotSpots[i];

  useScale(scaleOf(window_));
  RECT work{}, frame{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window_, &frame);
  SetWindowPos(window_, nullptr, (work.left + work.right - (frame.right - frame.left)) / 2,
               (work.top + work.bottom - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Everything the window shows, at a monitor's scale: its size, outline, faces, texts and hot
// spots. The cells and the coin are scaled as they are painted.
void MachineWindow::useScale(DisplayScale scale) {
  scale_ = scale;
  for (HBITMAP& face : faces_) {
    DeleteObject(face);
    face = nullptr;
  }
  useFace();
  const SIZE size = scale_.size(Width, Height);
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  applyOutline();
  for (Text* text : {&purse_, &winBanner_, &prizeAmount_, &coinWord_}) {
    RECT area = scale_.rect(text->label->box);
    if (text->label->align == Align::Centre) {
      // Centred on its box but never cut by it: a word a little wider than the box still shows
      // whole, reaching over the face as far to each side as the cabinet allows.
      const int reach = std::min(area.left, size.cx - area.right);
      area.left -= reach;
      area.right += reach;
    }
    DeleteObject(text->font);
    text->font = makeFont(text->label->font, scale_);
    SendMessageW(text->control, WM_SETFONT, reinterpret_cast<WPARAM>(text->font), FALSE);
    MoveWindow(text->control, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  }
  for (HotSpot& spot : spots_) spot.area = scale_.rect(spot.layout->box);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
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
  Text text{nullptr, nullptr, &label};
  text.control = CreateWindowExW(0, L"STATIC", widen(label.designCaption).c_str(),
                                 WS_CHILD | WS_VISIBLE | align | SS_CENTERIMAGE | SS_NOPREFIX, box.left, box.top,
                                 box.width, box.height, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlNumber(label.name))), nullptr,
                                 nullptr);
  return text;
}

void MachineWindow::applyOutline() {
  const std::span<const Point> outline = outlineFor(machine_.state().CabinetFace);
  std::vector<POINT> points;
  for (const Point& p : outline) points.push_back(scale_.point(p));
  // The system owns the region once it is set.
  SetWindowRgn(window_, CreatePolygonRgn(points.data(), static_cast<int>(points.size()), ALTERNATE), TRUE);
}

// A face is decoded when first shown at this scale: the demo's may never be.
void MachineWindow::useFace() {
  const bool normal = machine_.state().CabinetFace == Face::NormalFace;
  HBITMAP& face = faces_[static_cast<std::size_t>(machine_.state().CabinetFace)];
  const Box& artwork = normal ? machine_window::NormalFaceArtwork : machine_window::DemoFaceArtwork;
  if (!face) face = loadPicture(normal ? VERTUNO_CABINET : VERTUNO_DEMO, {artwork.width, artwork.height}, scale_);
  if (faceBrush_) DeleteObject(faceBrush_);
  faceBrush_ = CreatePatternBrush(face);
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
        const RECT area = scale_.rect({cell.x, cell.y, CellWidth, CellHeight});
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
  return scale_.rect({left, top, machine_window::CoinWidth + 1, machine_window::CoinHeight + 1});
}

// Painted off screen and copied in one piece, so the falling coin never flickers.
void MachineWindow::paint() {
  PAINTSTRUCT paintStruct;
  HDC screen = BeginPaint(window_, &paintStruct);
  HDC canvas = CreateCompatibleDC(screen);
  const SIZE size = scale_.size(Width, Height);
  HBITMAP surface = CreateCompatibleBitmap(screen, size.cx, size.cy);
  HGDIOBJ oldSurface = SelectObject(canvas, surface);

  HDC face = CreateCompatibleDC(screen);
  HGDIOBJ oldFace = SelectObject(face, faces_[static_cast<std::size_t>(machine_.state().CabinetFace)]);
  BitBlt(canvas, 0, 0, size.cx, size.cy, face, 0, 0, SRCCOPY);
  SelectObject(face, oldFace);
  DeleteDC(face);

  const MachineState& state = machine_.state();
  for (std::size_t i = 0; i < 3; ++i) {
    drawCell(canvas, CellPositions[i], cellDib(CellPicture::None, scale_), scale_);
    if (state.Tab[i] != CellPicture::None) drawCell(canvas, CellPositions[i], cellDib(state.Tab[i], scale_), scale_);
  }

  paintedCoin_ = coinRect();
  if (!IsRectEmpty(&paintedCoin_)) {
    HBRUSH fill = CreateSolidBrush(toColour(machine_window::CoinFill));
    HPEN border = CreatePen(PS_INSIDEFRAME, scale_.px(1), toColour(machine_window::CoinBorder));
    HGDIOBJ oldBrush = SelectObject(canvas, fill);
    HGDIOBJ oldPen = SelectObject(canvas, border);
    Ellipse(canvas, paintedCoin_.left, paintedCoin_.top, paintedCoin_.right, paintedCoin_.bottom - scale_.px(1));
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
  const RECT board = scale_.rect({CellPositions[0].x, CellPositions[0].y,
                                  CellPositions[2].x + CellWidth - CellPositions[0].x, CellHeight});
  if (PtInRect(&board, point)) return true;
  for (const Text& text : {purse_, winBanner_, prizeAmount_, coinWord_}) {
    const RECT area = scale_.rect(text.label->box);
    if (IsWindowVisible(text.control) && PtInRect(&area, point)) return true;
  }
  return false;
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
    case WM_DPICHANGED: {
      // Moved to a monitor of another scale: the whole cabinet follows, where the system says.
      useScale({HIWORD(wParam)});
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
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
