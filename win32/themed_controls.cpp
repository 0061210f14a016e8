#include "win32/themed_controls.h"

#include "win32/resources.h"

namespace vertuno::win32 {

ThemedControls::ThemedControls() {
  static const HANDLE context = [] {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    ACTCTXW description{};
    description.cbSize = sizeof description;
    description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.lpSource = program;
    description.hModule = GetModuleHandleW(nullptr);
    description.lpResourceName = MAKEINTRESOURCEW(VERTUNO_THEMED_CONTROLS);
    return CreateActCtxW(&description);
  }();
  active_ = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie_);
}

ThemedControls::~ThemedControls() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace vertuno::win32
