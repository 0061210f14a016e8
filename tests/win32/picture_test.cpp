#include <gtest/gtest.h>

#include <windows.h>

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

TEST(PictureInAdvance, TheCabinetDecodedAsideIsTheOneDecodedAtOnceAndAnotherScaleIsDecodedAfresh) {
  const Box& face = machine_window::NormalFaceArtwork;
  const SIZE size{face.width, face.height};
  const win32::DisplayScale wanted{144};  // 150 %, a scale the build renders at
  HBITMAP expected = win32::loadPicture(VERTUNO_CABINET, size, wanted);
  ASSERT_EQ(std::get<0>(pixels(expected)), wanted.px(face.width));
  for (const UINT guessed : {144U, 96U}) {
    win32::PictureInAdvance early(VERTUNO_CABINET, size, {guessed});
    HBITMAP taken = early.take(wanted);
    EXPECT_EQ(pixels(taken), pixels(expected)) << "guessed at " << guessed << " dpi";
    DeleteObject(taken);
  }
  DeleteObject(expected);
}

}  // namespace
}  // namespace vertuno::testing
