#include "board/cell_pictures.h"

#include <array>

namespace vertuno {

namespace {

struct SegmentMask {
  // Outer stroke from (x0, y0) to (x1, y1), whose two end pixels are the tapered ends, and an
  // inner stroke one pixel shorter at each end beside it.
  int x0, y0, x1, y1;
  int innerDx, innerDy;  // offset of the inner stroke; 0, 0 for a single stroke
};

// Columns 1-8 and rows 2-16 of the 10 x 19 cell.
constexpr std::array<SegmentMask, SegmentCount> Masks{{
    {2, 2, 7, 2, 0, 1},     // top
    {8, 3, 8, 8, -1, 0},    // upper right
    {8, 10, 8, 15, -1, 0},  // lower right
    {2, 16, 7, 16, 0, -1},  // bottom
    {1, 10, 1, 15, 1, 0},   // lower left
    {1, 3, 1, 8, 1, 0},     // upper left
    {2, 9, 7, 9, 0, 0},     // middle
}};

constexpr unsigned bit(Segment s) { return 1u << static_cast<unsigned>(s); }

constexpr unsigned AllSegments = (1u << SegmentCount) - 1;

constexpr std::array<unsigned, 10> DigitSegments{{
    AllSegments & ~bit(Segment::Middle),
    bit(Segment::UpperRight) | bit(Segment::LowerRight),
    bit(Segment::Top) | bit(Segment::UpperRight) | bit(Segment::Middle) | bit(Segment::LowerLeft) |
        bit(Segment::Bottom),
    bit(Segment::Top) | bit(Segment::UpperRight) | bit(Segment::Middle) | bit(Segment::LowerRight) |
        bit(Segment::Bottom),
    bit(Segment::UpperLeft) | bit(Segment::UpperRight) | bit(Segment::Middle) | bit(Segment::LowerRight),
    bit(Segment::Top) | bit(Segment::UpperLeft) | bit(Segment::Middle) | bit(Segment::LowerRight) |
        bit(Segment::Bottom),
    AllSegments & ~bit(Segment::UpperRight),
    bit(Segment::Top) | bit(Segment::UpperRight) | bit(Segment::LowerRight),
    AllSegments,
    AllSegments & ~bit(Segment::LowerLeft),
}};

// The chase runs clockwise round the outer segments, starting at the bottom.
constexpr std::array<Segment, 6> RollOrder{
    {Segment::Bottom, Segment::LowerLeft, Segment::UpperLeft, Segment::Top, Segment::UpperRight, Segment::LowerRight}};

void fill(CellBitmap& bitmap, int x, int y, int scale, Rgb colour) {
  for (int dy = 0; dy < scale; ++dy) {
    for (int dx = 0; dx < scale; ++dx) {
      bitmap.pixels[static_cast<std::size_t>((y * scale + dy) * bitmap.width + x * scale + dx)] = colour;
    }
  }
}

void drawSegment(CellBitmap& bitmap, const SegmentMask& mask, bool lit, int shift, int scale) {
  const int stepX = mask.x1 > mask.x0 ? 1 : 0;
  const int stepY = mask.y1 > mask.y0 ? 1 : 0;
  const int length = (mask.x1 - mask.x0) + (mask.y1 - mask.y0) + 1;
  for (int i = 0; i < length; ++i) {
    const int x = mask.x0 + i * stepX - shift;
    const int y = mask.y0 + i * stepY - shift;
    const bool end = i == 0 || i == length - 1;
    fill(bitmap, x, y, scale, lit ? (end ? SegmentLitEnd : SegmentLit) : SegmentDark);
    const bool hasInner = mask.innerDx != 0 || mask.innerDy != 0;
    if (hasInner && !end) fill(bitmap, x + mask.innerDx, y + mask.innerDy, scale, lit ? SegmentLit : SegmentDark);
  }
}

}  // namespace

unsigned litSegments(CellPicture picture) {
  const auto index = static_cast<std::size_t>(picture);
  if (picture <= CellPicture::Image9) return DigitSegments[index];
  if (picture <= CellPicture::Image15) return bit(RollOrder[index - 10]);
  return 0;
}

namespace {

CellBitmap drawCell(unsigned lit, bool unlitPicture, int scale) {
  CellBitmap bitmap;
  bitmap.width = (unlitPicture ? UnlitWidth : CellWidth) * scale;
  bitmap.height = (unlitPicture ? UnlitHeight : CellHeight) * scale;
  bitmap.pixels.assign(static_cast<std::size_t>(bitmap.width * bitmap.height), CellBlack);
  for (int s = 0; s < SegmentCount; ++s) {
    drawSegment(bitmap, Masks[static_cast<std::size_t>(s)], (lit >> s) & 1u, unlitPicture ? 1 : 0, scale);
  }
  return bitmap;
}

}  // namespace

CellBitmap drawCellPicture(CellPicture picture, int scale) {
  return drawCell(litSegments(picture), picture == CellPicture::Unlit, scale);
}

CellBitmap drawDarkCell(int scale) { return drawCell(0, false, scale); }

CellBitmap drawBoardCell(CellPicture picture, int scale) {
  CellBitmap cell = drawDarkCell(scale);
  if (picture == CellPicture::None) return cell;
  const CellBitmap over = drawCellPicture(picture, scale);
  for (int y = 0; y < over.height; ++y) {
    for (int x = 0; x < over.width; ++x) cell.pixels[static_cast<std::size_t>(y * cell.width + x)] = over.at(x, y);
  }
  return cell;
}

}  // namespace vertuno
