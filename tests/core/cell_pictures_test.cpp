#include <gtest/gtest.h>

#include <bit>

#include "board/cell_pictures.h"

namespace vertuno {
namespace {

// One pixel inside each segment, away from its ends, in 10 x 19 cell coordinates.
constexpr std::array<std::pair<int, int>, SegmentCount> Probe{
    {{4, 2}, {8, 5}, {8, 12}, {4, 16}, {1, 12}, {1, 5}, {4, 9}}};

unsigned decode(const CellBitmap& bitmap, int shift, int scale) {
  unsigned lit = 0;
  for (int s = 0; s < SegmentCount; ++s) {
    const auto [x, y] = Probe[static_cast<std::size_t>(s)];
    if (bitmap.at((x - shift) * scale, (y - shift) * scale) == SegmentLit) lit |= 1u << s;
  }
  return lit;
}

unsigned segments(std::initializer_list<Segment> list) {
  unsigned bits = 0;
  for (Segment s : list) bits |= 1u << static_cast<unsigned>(s);
  return bits;
}

TEST(CellPictures, DigitsAndRollFramesLightTheRightSegments) {
  using S = Segment;
  const unsigned all =
      segments({S::Top, S::UpperRight, S::LowerRight, S::Bottom, S::LowerLeft, S::UpperLeft, S::Middle});
  const std::array<unsigned, 16> expected{
      all & ~segments({S::Middle}),
      segments({S::UpperRight, S::LowerRight}),
      segments({S::Top, S::UpperRight, S::Middle, S::LowerLeft, S::Bottom}),
      segments({S::Top, S::UpperRight, S::Middle, S::LowerRight, S::Bottom}),
      segments({S::UpperLeft, S::UpperRight, S::Middle, S::LowerRight}),
      segments({S::Top, S::UpperLeft, S::Middle, S::LowerRight, S::Bottom}),
      all & ~segments({S::UpperRight}),
      segments({S::Top, S::UpperRight, S::LowerRight}),
      all,
      all & ~segments({S::LowerLeft}),
      segments({S::Bottom}),
      segments({S::LowerLeft}),
      segments({S::UpperLeft}),
      segments({S::Top}),
      segments({S::UpperRight}),
      segments({S::LowerRight}),
  };
  for (int scale : {1, 2}) {
    for (int i = 0; i < 16; ++i) {
      const CellBitmap bitmap = drawCellPicture(static_cast<CellPicture>(i), scale);
      ASSERT_EQ(bitmap.width, 10 * scale);
      ASSERT_EQ(bitmap.height, 19 * scale);
      EXPECT_EQ(decode(bitmap, 0, scale), expected[static_cast<std::size_t>(i)]) << "Image" << i;
    }
  }
}

TEST(CellPictures, SegmentsStayInsideTheirBoxInTheFourColours) {
  for (int i = 0; i <= static_cast<int>(CellPicture::Unlit); ++i) {
    const auto picture = static_cast<CellPicture>(i);
    const CellBitmap bitmap = drawCellPicture(picture);
    const int shift = picture == CellPicture::Unlit ? 1 : 0;
    int litEnds = 0, lit = 0, dark = 0;
    for (int y = 0; y < bitmap.height; ++y) {
      for (int x = 0; x < bitmap.width; ++x) {
        const Rgb p = bitmap.at(x, y);
        const bool inside = x >= 1 - shift && x <= 8 - shift && y >= 2 - shift && y <= 16 - shift;
        if (!inside) {
          EXPECT_EQ(p, CellBlack) << i << " at " << x << "," << y;
        }
        litEnds += p == SegmentLitEnd;
        lit += p == SegmentLit;
        dark += p == SegmentDark;
        EXPECT_TRUE(p == CellBlack || p == SegmentLit || p == SegmentLitEnd || p == SegmentDark);
      }
    }
    const int litCount = std::popcount(litSegments(picture));
    EXPECT_EQ(litEnds, 2 * litCount) << "every lit segment has two tapered ends";
    EXPECT_EQ(lit > 0, litCount > 0);
    EXPECT_EQ(dark > 0, litCount < SegmentCount);
  }
}

TEST(CellPictures, ABoardCellIsItsPictureOverTheDarkCell) {
  const CellBitmap dark = drawDarkCell(2);
  EXPECT_EQ(drawBoardCell(CellPicture::None, 2).pixels, dark.pixels);
  EXPECT_EQ(drawBoardCell(CellPicture::Image8, 2).pixels, drawCellPicture(CellPicture::Image8, 2).pixels);
  const CellBitmap unlit = drawBoardCell(CellPicture::Unlit, 2);
  ASSERT_EQ(unlit.width, dark.width);
  EXPECT_EQ(unlit.at(1, 1), drawCellPicture(CellPicture::Unlit, 2).at(1, 1));
  EXPECT_EQ(unlit.at(unlit.width - 1, 11), dark.at(dark.width - 1, 11)) << "the dark cell shows past the unlit one";
}

TEST(CellPictures, TheUnlitCellIsTheDarkCellOnePixelUpAndLeft) {
  const CellBitmap unlit = drawCellPicture(CellPicture::Unlit);
  ASSERT_EQ(unlit.width, 9);
  ASSERT_EQ(unlit.height, 18);
  const CellBitmap eight = drawCellPicture(CellPicture::Image8);
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 9; ++x) {
      const bool segment = eight.at(x + 1, y + 1) != CellBlack;
      EXPECT_EQ(unlit.at(x, y), segment ? SegmentDark : CellBlack);
    }
  }
}

}  // namespace
}  // namespace vertuno
