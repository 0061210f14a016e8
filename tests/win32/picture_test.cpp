#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "machine/layout.h"
#include "win32/picture.h"
#include "win32/resources.h"

namespace vertuno::testing {
namespace {

// A decoded picture's width, height and pixels, or nothing where there is no picture.
std::tuple<LONG, LONG, std::vector<unsigned char>> pixels(HBITMAP picture) {
  DIBSECTION dib{};
  if (!picture || GetObjectW(picture, sizeof dib, &dib) != sizeof dib) return {};
  const auto* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
  return {dib.dsBm.bmWidth, dib.dsBm.bmHeight, {bits, bits + dib.dsBm.bmWidthBytes * dib.dsBm.bmHeight}};
}

// The rendered scales are decoded as they are, another is resized from the next larger one;
// either way the picture has the scale's size and is the cabinet, not an empty bitmap.
TEST(Picture, TheCabinetComesAtTheSizeOfEachScale) {
  const Box& face = machine_window::NormalFaceArtwork;
  for (const UINT dpi : {96U, 144U, 168U}) {
    const win32::DisplayScale scale{dpi};
    HBITMAP picture = win32::loadPicture(VERTUNO_CABINET, {face.width, face.height}, scale);
    const auto [width, height, bits] = pixels(picture);
    EXPECT_EQ(width, scale.px(face.width)) << dpi << " dpi";
    EXPECT_EQ(height, scale.px(face.height)) << dpi << " dpi";
    EXPECT_NE(std::count(bits.begin(), bits.end(), 0), static_cast<std::ptrdiff_t>(bits.size())) << dpi << " dpi";
    DeleteObject(picture);
  }
}

}  // namespace
}  // namespace vertuno::testing
