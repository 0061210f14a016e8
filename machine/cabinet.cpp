#include "machine/cabinet.h"

#include "machine/outlines.h"

namespace vertuno {

bool insideOutline(Point at, std::span<const Point> outline) {
  const double x = at.x + 0.5, y = at.y + 0.5;
  bool inside = false;
  for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
    const Point a = outline[i], b = outline[j];
    if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
  }
  return inside;
}

Area areaAt(Point at, const MachineState& state) {
  if (!insideOutline(at, outlineFor(state.CabinetFace))) return {};
  for (const HotSpotLayout& spot : machine_window::HotSpots) {
    if (spot.box.contains(at)) return {AreaKind::HotSpot, &spot};
  }
  for (const CabinetLabel& text : machine_window::Texts) {
    if (isShown(text, state) && text.box.contains(at)) return {AreaKind::Text};
  }
  if (machine_window::BoardBox.contains(at)) return {AreaKind::Board};
  return {AreaKind::BareCabinet};
}

const HotSpotLayout* hotSpotNamed(std::string_view name) {
  for (const HotSpotLayout& spot : machine_window::HotSpots) {
    if (spot.name == name) return &spot;
  }
  return nullptr;
}

std::string boardReading(const std::array<CellPicture, 3>& cells) {
  std::string reading(machine_window::BoardReading);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const auto index = static_cast<int>(cells[i]);
    if (i > 0) reading += ' ';
    if (index <= 9) {
      reading += static_cast<char>('0' + index);
    } else if (cells[i] == CellPicture::Unlit || cells[i] == CellPicture::None) {
      reading += '-';
    } else {
      reading += '?';
    }
  }
  return reading;
}

}  // namespace vertuno
