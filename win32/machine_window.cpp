#include "win32/machine_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "board/cell_pictures.h"
#include "machine/cabinet.h"
#include "machine/outlines.h"
#include "win32/display_scale.h"
#include "win32/fonts.h"
#include "win32/layout.h"
#include "win32/picture.h"
#include "win32/platform.h"
#include "win32/resources.h"
#include "win32/window_owner.h"
#include "windows/text.h"

namespace vertuno::win32 {

namespace {

constexpr wchar_t MachineWindowClass[] = L"VertunoMachine";
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

// Each board cell made once per scale: at the next whole multiple at or above the display's
// scale, and brought to it pixel for pixel, so every segment stays a crisp block of its own colour.
const CellDib& cellDib(CellPicture picture, DisplayScale scale) {
  static std::array<CellDib, static_cast<std::size_t>(CellPicture::None) + 1> made;
  const int multiple = static_cast<int>((scale.dpi + USER_DEFAULT_SCREEN_DPI - 1) / USER_DEFAULT_SCREEN_DPI);
  CellDib& dib = made[static_cast<std::size_t>(picture)];
  if (dib.multiple != multiple) {
    dib = toDib(drawBoardCell(picture, multiple), multiple);
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

constexpr int BoardId = 1;  // no label of the machine is numbered 1: only its hot spot

void registerClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(VERTUNO_ICON));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = MachineWindowClass;
  RegisterClassExW(&windowClass);
}

}  // namespace

MachineWindow::MachineWindow(Machine& machine, HINSTANCE instance) : machine_(machine) {
  registerClass(instance, procedure);
  window_ =
      CreateWindowExW(0, MachineWindowClass, windows::widen(machine_window::Title).c_str(),
                      WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, 0, Width, Height, nullptr, nullptr, instance, this);
  // The children take their places and fonts in useScale.
  const auto child = [this](DWORD style, int id) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | style, 0, 0, 0, 0, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  };
  for (const CabinetLabel& label : machine_window::Texts) {
    const DWORD align = label.align == Align::Left ? SS_LEFT : SS_CENTER;
    texts_.push_back({child(align | SS_CENTERIMAGE, controlNumber(label.name)), nullptr, &label});
  }
  board_ = child(SS_OWNERDRAW, BoardId);
  refresh(Change::Cells);
  refresh(Change::PlayerCoins);
  refresh(Change::WinDisplay);

  useScale(scaleOf(window_));
  RECT work{}, frame{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(window_, &frame);
  SetWindowPos(window_, nullptr, (work.left + work.right - (frame.right - frame.left)) / 2,
               (work.top + work.bottom - (frame.bottom - frame.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Everything the window shows, at a monitor's scale: its size, outline, faces, texts and board.
// The cells and the coin are scaled as they are painted.
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
  for (Text& text : texts_) {
    RECT area = scale_.rect(text.label->box);
    if (text.label->align == Align::Centre) {
      // Centred on its box but never cut by it: a word a little wider than the box still shows
      // whole, reaching over the face as far to each side as the cabinet allows.
      const int reach = std::min(area.left, size.cx - area.right);
      area.left -= reach;
      area.right += reach;
    }
    DeleteObject(text.font);
    text.font = makeFont(text.label->font, scale_);
    SendMessageW(text.control, WM_SETFONT, reinterpret_cast<WPARAM>(text.font), FALSE);
    MoveWindow(text.control, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  }
  const RECT board = scale_.rect(machine_window::BoardBox);
  MoveWindow(board_, board.left, board.top, board.right - board.left, board.bottom - board.top, FALSE);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

MachineWindow::~MachineWindow() {
  DestroyWindow(window_);
  for (HGDIOBJ object :
       {static_cast<HGDIOBJ>(faces_[0]), static_cast<HGDIOBJ>(faces_[1]), static_cast<HGDIOBJ>(faceBrush_)}) {
    DeleteObject(object);
  }
  for (const Text& text : texts_) DeleteObject(text.font);
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
  for (const Text& text : texts_) {
    if (text.label->change != what) continue;
    SetWindowTextW(text.control, windows::widen(shownText(*text.label, state)).c_str());
    ShowWindow(text.control, isShown(*text.label, state) ? SW_SHOWNA : SW_HIDE);
  }
  switch (what) {
    case Change::Cells:
      SetWindowTextW(board_, windows::widen(boardReading(state.Tab)).c_str());
      InvalidateRect(board_, nullptr, FALSE);
      break;
    case Change::Face:
      // The new face is painted before its outline is set: an outline that came first would
      // show the old face cut to it until the next paint.
      useFace();
      RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      applyOutline();
      break;
    case Change::Coin: {
      InvalidateRect(window_, &paintedCoin_, FALSE);
      const RECT coin = coinRect();
      InvalidateRect(window_, &coin, FALSE);
      break;
    }
    case Change::PlayerCoins:
    case Change::WinDisplay:
    case Change::InfoWindow: break;
  }
}

RECT MachineWindow::coinRect() const {
  const MachineState& state = machine_.state();
  if (state.CoinLeft >= Width) return {};
  const int left = static_cast<int>(std::floor(state.CoinLeft));
  const int top = static_cast<int>(std::floor(state.CoinTop));
  return scale_.rect({left, top, machine_window::CoinWidth + 1, machine_window::CoinHeight + 1});
}

// Painted off screen and copied in one piece, so neither the falling coin nor a turning cell
// ever flickers.
void MachineWindow::copyPicture(HDC screen, RECT part, POINT to) {
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
  for (std::size_t i = 0; i < 3; ++i) drawCell(canvas, CellPositions[i], cellDib(state.Tab[i], scale_), scale_);

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

  BitBlt(screen, to.x, to.y, part.right - part.left, part.bottom - part.top, canvas, part.left, part.top, SRCCOPY);
  SelectObject(canvas, oldSurface);
  DeleteObject(surface);
  DeleteDC(canvas);
}

// The pointer stays with the window while a button is held, so a hot spot hears its release
// and a drag its motion wherever the pointer goes.
void MachineWindow::forward(InputKind kind, MouseButton button, WPARAM keys, LPARAM at) {
  const MouseButton held = heldButtons(keys);
  if (kind == InputKind::Press || kind == InputKind::DoubleClick) SetCapture(window_);
  if (kind == InputKind::Release && held == MouseButton::None && GetCapture() == window_) ReleaseCapture();
  const Point point = scale_.layoutPoint({GET_X_LPARAM(at), GET_Y_LPARAM(at)});
  machine_.input({.kind = kind, .button = button, .held = held, .at = point});
}

void MachineWindow::handDragToDesktop(Point moved) {
  const POINT way = scale_.point(moved);
  RECT frame;
  GetWindowRect(window_, &frame);
  SetWindowPos(window_, nullptr, frame.left + way.x, frame.top + way.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ReleaseCapture();
  SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(GetMessagePos()));
}

LRESULT CALLBACK MachineWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = windowOwner(window, message, lParam, &MachineWindow::window_);
  return self ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MachineWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC screen = BeginPaint(window_, &paint);
      const RECT& dirty = paint.rcPaint;
      copyPicture(screen, dirty, {dirty.left, dirty.top});
      EndPaint(window_, &paint);
      return 0;
    }
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
      for (const Text& shown : texts_) {
        if (shown.control == text) SetTextColor(dc, toColour(shown.label->colour));
      }
      return reinterpret_cast<LRESULT>(faceBrush_);
    }
    case WM_TIMER:
      if (wParam == Win32Platform::Timer1) machine_.Timer1_Timer();
      if (wParam == Win32Platform::Timer2) machine_.Timer2_Timer();
      return 0;
    case WM_LBUTTONDOWN: forward(InputKind::Press, MouseButton::Left, wParam, lParam); return 0;
    case WM_RBUTTONDOWN: forward(InputKind::Press, MouseButton::Right, wParam, lParam); return 0;
    case WM_MBUTTONDOWN: forward(InputKind::Press, MouseButton::Middle, wParam, lParam); return 0;
    case WM_LBUTTONDBLCLK: forward(InputKind::DoubleClick, MouseButton::Left, wParam, lParam); return 0;
    case WM_RBUTTONDBLCLK: forward(InputKind::DoubleClick, MouseButton::Right, wParam, lParam); return 0;
    case WM_MBUTTONDBLCLK: forward(InputKind::DoubleClick, MouseButton::Middle, wParam, lParam); return 0;
    case WM_LBUTTONUP: forward(InputKind::Release, MouseButton::Left, wParam, lParam); return 0;
    case WM_RBUTTONUP: forward(InputKind::Release, MouseButton::Right, wParam, lParam); return 0;
    case WM_MBUTTONUP: forward(InputKind::Release, MouseButton::Middle, wParam, lParam); return 0;
    case WM_MOUSEMOVE: forward(InputKind::Move, MouseButton::None, wParam, lParam); return 0;
    case WM_CONTEXTMENU:  // from the keyboard alone: the right button's press is the machine's already
      if (lParam == -1) machine_.input({.kind = InputKind::MenuKey});
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      copyPicture(item->hDC, scale_.rect(machine_window::BoardBox), {0, 0});
      return TRUE;
    }
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
