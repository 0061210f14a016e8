#include "win32/machine_window.h"

#include <windowsx.h>

#include <cmath>
#include <vector>

#include "win32/resources.h"
#include "board/cell_pictures.h"
#include "win32/fonts.h"
#include "machine/outlines.h"
#include "win32/platform.h"
#include "win32/text.h"
#include "win32/window_owner.h"

namespace vertuno::win32 {

namespace {

constexpr wchar_t ClassName[] = L"VertunoMachine";
constexpr int Width = 128;
constexpr int Height = 378;
constexpr POINT CellPositions[3] = {{68, 89}, {80, 89}, {92, 89}};
constexpr COLORREF Yellow = RGB(255, 255, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF CoinFill = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF CoinBorder = RGB(0x80, 0x80, 0x80);
// The texts are numbered as the machine's labels are, so a reader of the window finds them.
enum TextId { PurseId = 2, WinBannerId = 4, PrizeAmountId = 5, CoinWordId = 6 };

// A cell picture as a top-down 32-bit bitmap, made once per picture.
struct CellDib {
  BITMAPINFO info{};
  std::vector<std::uint32_t> pixels;
};

const CellDib& cellDib(CellPicture picture) {
  static std::array<CellDib, static_cast<std::size_t>(CellPicture::None)> made;
  CellDib& dib = made[static_cast<std::size_t>(picture)];
  if (dib.pixels.empty()) {
    const CellBitmap bitmap = drawCellPicture(picture);
    dib.info.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.width, -bitmap.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    for (const Rgb& p : bitmap.pixels) {
      dib.pixels.push_back(static_cast<std::uint32_t>(p.r) << 16 | static_cast<std::uint32_t>(p.g) << 8 | p.b);
    }
  }
  return dib;
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
  faces_[0] = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(VERTUNO_CABINET), IMAGE_BITMAP, 0, 0, 0));
  faces_[1] = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(VERTUNO_DEMO), IMAGE_BITMAP, 0, 0, 0));
  purseFont_ = makeFont(ArialFaces, 8.25);
  bannerFont_ = makeFont(ArialFaces, 9.75, true);
  prizeFont_ = makeFont(ArialFaces, 11.25, true);
  wordFont_ = makeFont(ArialFaces, 9, true);

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  window_ = CreateWindowExW(0, ClassName, L"777 - Игра Вертуно", WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU,
                            (work.left + work.right - Width) / 2, (work.top + work.bottom - Height) / 2,
                            Width, Height, nullptr, nullptr, instance, this);
  useFace();
  applyOutline();

  purse_ = addText(PurseId, {56, 304, 113, 321}, purseFont_);
  SetWindowTextW(purse_, L"50");
  winBanner_ = addText(WinBannerId, {48, 250, 121, 267}, bannerFont_);
  SetWindowTextW(winBanner_, L"Выигрыш");
  ShowWindow(winBanner_, SW_HIDE);
  prizeAmount_ = addText(PrizeAmountId, {48, 266, 121, 283}, prizeFont_);
  coinWord_ = addText(CoinWordId, {48, 280, 121, 297}, wordFont_);

  spots_[0] = {{96, 128, 118, 153}, {}, {}, [this] { machine_.Label1_Click(); }, {}};
  spots_[1] = {{48, 128, 97, 185}, {}, {}, [this] { machine_.Label3_Click(); }, {}};
  spots_[2] = {{40, 24, 49, 33}, {}, {}, {}, [this] { machine_.Label7_DblClick(); }};
  spots_[3] = {{80, 216, 113, 241}, [this] { machine_.Label8_MouseDown(); }, [this] { machine_.Label8_MouseUp(); }, {}, {}};
  spots_[4] = {{120, 336, 129, 345}, {}, {}, {}, [this] { machine_.Label11_DblClick(); }};
}

MachineWindow::~MachineWindow() {
  DestroyWindow(window_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(faces_[0]), static_cast<HGDIOBJ>(faces_[1]),
                         static_cast<HGDIOBJ>(faceBrush_), static_cast<HGDIOBJ>(purseFont_),
                         static_cast<HGDIOBJ>(bannerFont_), static_cast<HGDIOBJ>(prizeFont_),
                         static_cast<HGDIOBJ>(wordFont_)}) {
    DeleteObject(object);
  }
}

HWND MachineWindow::addText(int id, RECT area, HFONT font) {
  const DWORD align = id == PurseId ? SS_LEFT : SS_CENTER;
  HWND text = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | align | SS_CENTERIMAGE | SS_NOPREFIX,
                              area.left, area.top, area.right - area.left, area.bottom - area.top, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
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
      SetWindowTextW(purse_, widen(state.PlayerCoins).c_str());
      ShowWindow(purse_, state.PlayerCoinsVisible ? SW_SHOWNA : SW_HIDE);
      break;
    case Change::WinDisplay:
      ShowWindow(winBanner_, state.WinBannerVisible ? SW_SHOWNA : SW_HIDE);
      SetWindowTextW(prizeAmount_, widen(state.PrizeAmountText).c_str());
      SetWindowTextW(coinWord_, widen(state.CoinWordText).c_str());
      break;
    case Change::Cells:
      for (POINT cell : CellPositions) {
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
  return {left, top, left + 10, top + 8};
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
    if (state.Tab[i] == CellPicture::None) continue;  // the cabinet's dark cell shows through
    const CellDib& dib = cellDib(state.Tab[i]);
    SetDIBitsToDevice(canvas, CellPositions[i].x, CellPositions[i].y, static_cast<DWORD>(dib.info.bmiHeader.biWidth),
                      static_cast<DWORD>(-dib.info.bmiHeader.biHeight), 0, 0, 0,
                      static_cast<UINT>(-dib.info.bmiHeader.biHeight), dib.pixels.data(), &dib.info, DIB_RGB_COLORS);
  }

  paintedCoin_ = coinRect();
  if (!IsRectEmpty(&paintedCoin_)) {
    HBRUSH fill = CreateSolidBrush(CoinFill);
    HPEN border = CreatePen(PS_SOLID, 1, CoinBorder);
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

// A press on a hot spot is the spot's alone; the second press of a double-click is a
// double-click alone, with no press and no second click.
void MachineWindow::buttonDown(MouseButton button, POINT point, bool doubleClick) {
  if (HotSpot* spot = spotAt(point)) {
    SetCapture(window_);  // the release comes to the spot pressed, wherever it happens
    pressedSpot_ = spot;
    if (button == MouseButton::Left) inDoubleClick_ = doubleClick;
    if (doubleClick) {
      if (spot->onDoubleClick) spot->onDoubleClick();
    } else if (spot->onPress) {
      spot->onPress();
    }
    return;
  }
  pressedSpot_ = nullptr;
  pressedAt_ = point;
  ClientToScreen(window_, &pressedAt_);
  machine_.Form_MouseDown(button);
}

void MachineWindow::buttonUp(MouseButton button, POINT point) {
  HotSpot* spot = pressedSpot_;
  if (!spot) return;
  const bool click = button == MouseButton::Left && !inDoubleClick_ && PtInRect(&spot->area, point);
  pressedSpot_ = nullptr;
  if (button == MouseButton::Left) inDoubleClick_ = false;
  if (GetCapture() == window_) ReleaseCapture();
  if (spot->onRelease) spot->onRelease();
  if (click && spot->onClick) spot->onClick();
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
      SetTextColor(dc, GetDlgCtrlID(text) == PrizeAmountId ? Red : Yellow);
      return reinterpret_cast<LRESULT>(faceBrush_);
    }
    case WM_TIMER:
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
      if (!pressedSpot_ && machine_.Form_MouseMove(heldButtons(wParam))) {
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
