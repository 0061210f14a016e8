#include "web/layout_json.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "machine/cabinet.h"
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

// An object of numbers by name, as enumerations are handed to the page.
std::string numbers(std::initializer_list<std::pair<const char*, int>> named) {
  std::string out = "{";
  for (const auto& [name, value] : named) out += (out.size() > 1 ? "," : "") + quoted(name) + ":" + number(value);
  return out + "}";
}

template <typename Range, typename Write>
std::string list(const Range& items, Write write) {
  std::string out = "[";
  for (const auto& item : items) out += (out.size() > 1 ? "," : "") + write(item);
  return out + "]";
}

std::string points(std::span<const Point> points) {
  return list(points, [](Point p) { return "[" + number(p.x) + "," + number(p.y) + "]"; });
}

std::string label(const CabinetLabel& l) {
  return "{\"name\":" + quoted(l.name) + ",\"box\":" + box(l.box) + ",\"font\":" + font(l.font) +
         ",\"colour\":" + colour(l.colour) + ",\"align\":" + align(l.align) +
         ",\"description\":" + quoted(l.description) + "}";
}

std::string hotSpot(const HotSpotLayout& h) {
  return "{\"name\":" + quoted(h.name) + ",\"box\":" + box(h.box) + ",\"accessibleName\":" +
         quoted(h.accessibleName) + ",\"description\":" + quoted(h.description) + "}";
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

std::string sideWindow(const SideWindowLayout* w) {
  return "{\"name\":" + quoted(w->name) + ",\"title\":" + quoted(w->title) + ",\"width\":" + number(w->width) +
         ",\"height\":" + number(w->height) + ",\"font\":" + font(DialogFont) +
         ",\"controls\":" + list(w->controls, control) + "}";
}

std::string events() {
  using K = PageEventKind;
  const auto n = [](K kind) { return static_cast<int>(kind); };
  return numbers({{"timer1", n(K::Timer1)}, {"timer2", n(K::Timer2)}, {"press", n(K::Press)},
                  {"doubleClick", n(K::DoubleClick)}, {"release", n(K::Release)}, {"move", n(K::Move)},
                  {"longPress", n(K::LongPress)}, {"menuKey", n(K::MenuKey)}, {"activate", n(K::Activate)},
                  {"escape", n(K::Escape)},
                  {"closeWindow", n(K::CloseWindow)}, {"sideButton", n(K::SideButton)}, {"answer", n(K::Answer)},
                  {"menuChosen", n(K::MenuChosen)}, {"rescale", n(K::Rescale)}, {"hidden", n(K::Hidden)},
                  {"close", n(K::Close)}});
}

}  // namespace

std::string layoutJson() {
  namespace mw = machine_window;
  const std::string menu = list(mw::Menu, [](const MenuItem& m) { return quoted(m.text); });
  // The faces in the machine's order: the cabinet alone, then the cabinet with the player.
  const std::string faces = "[{\"outline\":" + points(NormalOutline) + ",\"pictures\":[[\"cabinet\"," +
                            box(mw::NormalFaceArtwork) + "]]},{\"outline\":" + points(DemoOutline) +
                            ",\"pictures\":[[\"cabinet\"," + box(mw::NormalFaceArtwork) + "],[\"player\"," +
                            box(mw::DemoFaceArtwork) + "]]}]";
  return "{\"events\":" + events() + ",\"title\":" + quoted(mw::Title) + ",\"width\":" + number(mw::Width) +
         ",\"height\":" + number(mw::Height) + ",\"font\":" + font(mw::Font) +
         ",\"cabinetBlue\":" + colour(mw::CabinetBlue) + ",\"faces\":" + faces +
         ",\"labels\":" + list(mw::Texts, label) + ",\"hotSpots\":" + list(mw::HotSpots, hotSpot) +
         ",\"cells\":" + points(mw::CellPositions) +
         ",\"boardName\":" + quoted(mw::BoardName) + ",\"board\":" + box(mw::BoardBox) +
         ",\"coin\":{\"width\":" + number(mw::CoinWidth) + ",\"height\":" + number(mw::CoinHeight) +
         ",\"fill\":" + colour(mw::CoinFill) + ",\"border\":" + colour(mw::CoinBorder) +
         ",\"left\":" + number(ParkedLeft) + ",\"top\":" + number(MachineState{}.CoinTop) + "}" +
         ",\"menu\":" + menu + ",\"buttons\":{\"ok\":" + quoted(message_box::Ok) + ",\"yes\":" +
         quoted(message_box::Yes) + ",\"no\":" + quoted(message_box::No) + "}" +
         ",\"answers\":" +
         numbers({{"ok", int(Answer::Ok)}, {"yes", int(Answer::Yes)}, {"no", int(Answer::No)}}) +
         ",\"warningStyle\":" + number(static_cast<int>(MessageStyle::WarningOk)) +
         ",\"yesNoStyle\":" + number(static_cast<int>(MessageStyle::InformationYesNo)) +
         ",\"mouseButtons\":" + numbers({{"left", int(MouseButton::Left)}, {"right", int(MouseButton::Right)},
                                         {"middle", int(MouseButton::Middle)}}) +
         ",\"sideWindowFace\":" + colour(SideWindowFace) + ",\"closeBoxName\":" + quoted(CloseBoxName) +
         ",\"sideWindows\":" + list(SideWindows, sideWindow) + "}";
}

}  // namespace vertuno::web
