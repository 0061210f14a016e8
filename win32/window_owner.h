#pragma once

#include <windows.h>

namespace vertuno::win32 {

// The object a window procedure belongs to: handed over in CreateWindowEx's last argument,
// kept in the window's user data from its first message on, and told its handle then.
template <typename Owner>
Owner* windowOwner(HWND window, UINT message, LPARAM lParam, HWND Owner::*handle) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->*handle = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace vertuno::win32
