#pragma once

#include <windows.h>

#include <initializer_list>

#include "machine/layout.h"
#include "win32/display_scale.h"

namespace vertuno::win32 {

// The faces the machine's texts are set in, best first; Wine and a bare system may lack the
// first ones, and a face without Cyrillic letters would be swapped for a wider one.
inline constexpr std::initializer_list<const wchar_t*> ArialFaces = {L"Arial", L"Liberation Sans"};
// MS Sans Serif's own outline twin first: Wine's MS Sans Serif sets wider than the original.
inline constexpr std::initializer_list<const wchar_t*> DialogFaces = {L"Microsoft Sans Serif", L"Liberation Sans",
                                                                      L"MS Sans Serif", L"Arial"};

// A font at a size in points, at a monitor's scale, in the first of the faces that is installed
// with Cyrillic letters.
HFONT makeFont(const FontStyle& font, DisplayScale scale);

}  // namespace vertuno::win32
