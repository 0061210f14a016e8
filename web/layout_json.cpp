#include "web/layout_json.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "machine/layout.h"
#include "machine/outlines.h"
#include "stats/side_window_layout.h"
#include "web/page_event.h"

namespace vertuno::web {

namespace {

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + '"';
}

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string flag(bool value) { return value ? "true" : "false"; }

std::string box(const Box& b) {
  return "[" + number(b.left) + "," + number(b.top) + "," + number(b.width) + "," + number(b.height) + "]";
}

std::string colour(Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  return quoted(text);
}

std::string font(const FontStyle& f) {
  return "{\"family\":" + quoted(f.family) + ",\"points\":" + number(f.points) + ",\"bold\":" + flag(f.bold) + "}";
}

std::string align(Align a) {
  switch (a) {
    case Align::Left: return quoted("left");
    case Align::Centre: return quoted("center");
    case Align::Right: return quoted("right");
  }
  return quoted("left");
}

template <typename Range, typename Write>
std::string list(const Range& items, Write write) {
  std::string out = "[";
  for (const auto& item : items) out += (out.size() > 1 ? "," : "") + write(item);
  return out + "]";
}

std::string outline(std::span<const Point> points) {
  return list(points, [](Point p) { return "[" + number(p.x) + "," + number(p.y) + "]"; });
}

std::string label(const CabinetLabel* l) {
  return "{\"name\":" + quoted(l->name) + ",\"box\":" + box(l->box) + ",\"font\":" + font(l->font) +
         ",\"colour\":" + colour(l->colour) + ",\"align\":" + align(l->align) +
         ",\"caption\":" + quoted(l->designCaption) + ",\"description\":" + quoted(l->description) + "}";
}

std::string hotSpot(const HotSpotLayout& h) {
  return "{\"name\":" + quoted(h.name) + ",\"box\":" + box(h.box) + ",\"accessibleName\":" +
         quoted(h.accessibleName) + ",\"description\":" + quoted(h.description) +
         ",\"click\":" + flag(h.onClick) + ",\"doubleClick\":" + flag(h.onDoubleClick) +
         ",\"press\":" + flag(h.onPress) + ",\"release\":" + flag(h.onRelease) + "}";
}

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Text: return "text";
    case ControlKind::Picture: return "picture";
    case ControlKind::Frame: return "frame";
    case ControlKind::Button: return "button";
    case ControlKind::Cover: return "cover";
  }
  return "text";
}

std::string control(const Control& c) {
  return "{\"kind\":" + quoted(kindName(c.kind)) + ",\"name\":" + quoted(c.name) + ",\"box\":" + box(c.box) +
         ",\"text\":" + quoted(c.text) + ",\"font\":" + font(c.font) + ",\"align\":" + align(c.align) +
         ",\"inFrame\":" + flag(c.inFrame) + ",\"wraps\":" + flag(c.wraps) + ",\"counter\":" + flag(c.counter) + "}";
}

std::string sideWindow(const SideWindowLayout& w) {
  return "{\"name\":" + quoted(w.name) + ",\"title\":" + quoted(w.title) + ",\"width\":" + number(w.width) +
         ",\"height\":" + number(w.height) + ",\"font\":" + font(DialogFont) +
         ",\"face\":" + colour(SideWindowFace) + ",\"controls\":" + list(w.controls, control) + "}";
}

std::string events() {
  using K = PageEventKind;
  const std::pair<const char*, K> names[] = {
      {"timer1", K::Timer1}, {"timer2", K::Timer2}, {"timer3", K::Timer3},
      {"hotSpotPress", K::HotSpotPress}, {"hotSpotRelease", K::HotSpotRelease},
      {"hotSpotClick", K::HotSpotClick}, {"hotSpotDoubleClick", K::HotSpotDoubleClick},
      {"cabinetPress", K::CabinetPress}, {"cabinetMove", K::CabinetMove}, {"answer", K::Answer},
      {"menuChosen", K::MenuChosen}, {"sideButton", K::SideButton}, {"infoClose", K::InfoClose},
      {"rescale", K::Rescale}, {"hidden", K::Hidden}, {"close", K::Close}};
  std::string out = "{";
  for (const auto& [name, kind] : names) {
    out += (out.size() > 1 ? "," : "") + quoted(name) + ":" + number(static_cast<int>(kind));
  }
  return out + "}";
}

}  // namespace

std::string layoutJson() {
  namespace mw = machine_window;
  const CabinetLabel* labels[] = {&mw::Purse, &mw::WinBanner, &mw::PrizeAmount, &mw::CoinWord};
  const std::string menu = list(mw::Menu, [](const MenuItem& m) { return quoted(m.text); });
  const std::string cells = list(mw::CellPositions, [](Point p) {
    return "[" + number(p.x) + "," + number(p.y) + "]";
  });
  // The faces in the machine's order: the cabinet alone, then the cabinet with the player.
  const std::string faces = "[{\"outline\":" + outline(NormalOutline) + ",\"pictures\":[[\"cabinet\"," +
                            box(mw::NormalFaceArtwork) + "]]},{\"outline\":" + outline(DemoOutline) +
                            ",\"pictures\":[[\"cabinet\"," + box(mw::NormalFaceArtwork) + "],[\"player\"," +
                            box(mw::DemoFaceArtwork) + "]]}]";
  return "{\"events\":" + events() + ",\"title\":" + quoted(mw::Title) + ",\"width\":" + number(mw::Width) +
         ",\"height\":" + number(mw::Height) + ",\"font\":" + font(mw::Font) +
         ",\"cabinetBlue\":" + colour(mw::CabinetBlue) + ",\"faces\":" + faces +
         ",\"labels\":" + list(labels, label) + ",\"hotSpots\":" + list(mw::HotSpots, hotSpot) +
         ",\"cells\":" + cells + ",\"cellSize\":[" + number(CellWidth) + "," + number(CellHeight) + "]" +
         ",\"boardName\":" + quoted(mw::BoardName) +
         ",\"coin\":{\"width\":" + number(mw::CoinWidth) + ",\"height\":" + number(mw::CoinHeight) +
         ",\"fill\":" + colour(mw::CoinFill) + ",\"border\":" + colour(mw::CoinBorder) +
         ",\"left\":" + number(ParkedLeft) + ",\"top\":" + number(MachineState{}.CoinTop) + "}" +
         ",\"menu\":" + menu + ",\"buttons\":{\"ok\":" + quoted(message_box::Ok) + ",\"yes\":" +
         quoted(message_box::Yes) + ",\"no\":" + quoted(message_box::No) + "}" +
         ",\"answers\":{\"ok\":" + number(static_cast<int>(Answer::Ok)) + ",\"yes\":" +
         number(static_cast<int>(Answer::Yes)) + ",\"no\":" + number(static_cast<int>(Answer::No)) + "}" +
         ",\"warningStyle\":" + number(static_cast<int>(MessageStyle::WarningOk)) +
         ",\"yesNoStyle\":" + number(static_cast<int>(MessageStyle::InformationYesNo)) +
         ",\"sideWindows\":[" + sideWindow(info_window::Layout) + "," + sideWindow(about_window::Layout) + "]}";
}

}  // namespace vertuno::web
