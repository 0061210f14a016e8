#include "win32/fonts.h"

#include <cmath>
#include <cwchar>

namespace vertuno::win32 {

namespace {

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool hasCyrillic(HDC screen, const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = RUSSIAN_CHARSET;
  std::wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

HFONT makeFont(const FontStyle& font, DisplayScale scale) {
  const std::initializer_list<const wchar_t*> faces = font.family == ArialFamily ? ArialFaces : DialogFaces;
  HDC screen = GetDC(nullptr);
  const wchar_t* chosen = *faces.begin();
  for (const wchar_t* face : faces) {
    if (hasCyrillic(screen, face)) {
      chosen = face;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  const int height = -static_cast<int>(std::lround(font.points * scale.dpi / 72.0));
  return CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, chosen);
}

}  // namespace vertuno::win32
