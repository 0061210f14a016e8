#include "web/page_tables.h"

#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "machine/cabinet.h"
#include "machine/outlines.h"
#include "stats/side_window_layout.h"

namespace vertuno::web {

namespace {

using emscripten::val;

// Embind hands a std::string over as UTF-8, which a bare C string is not.
val text(std::string_view utf8) { return val(std::string(utf8)); }

val object(std::initializer_list<std::pair<const char*, val>> fields) {
  val out = val::object();
  for (const auto& [name, value] : fields) out.set(name, value);
  return out;
}

template <typename Range, typename Write>
val list(const Range& items, Write write) {
  val out = val::array();
  for (const auto& item : items) out.call<void>("push", write(item));
  return out;
}

val array(std::initializer_list<val> items) {
  return list(items, [](const val& item) { return item; });
}

val box(const Box& b) { return array({val(b.left), val(b.top), val(b.width), val(b.height)}); }

val colour(Rgb c) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.r, c.g, c.b);
  return text(hex);
}

val font(const FontStyle& f) {
  return object({{"family", text(f.family)}, {"points", val(f.points)}, {"bold", val(f.bold)}});
}

val align(Align a) {
  switch (a) {
    case Align::Left: return val("left");
    case Align::Centre: return val("center");
    case Align::Right: return val("right");
  }
  return val("left");
}

val points(std::span<const Point> points) {
  return list(points, [](Point p) { return array({val(p.x), val(p.y)}); });
}

// The tables' objects keep their fields packed, as the tables' rows are written.
// clang-format off
val label(const CabinetLabel& l) {
  return object({{"name", text(l.name)}, {"box", box(l.box)}, {"font", font(l.font)}, {"colour", colour(l.colour)},
                 {"align", align(l.align)}, {"description", text(l.description)}});
}

val hotSpot(const HotSpotLayout& h) {
  return object({{"name", text(h.name)}, {"box", box(h.box)}, {"accessibleName", text(h.accessibleName)},
                 {"description", text(h.description)}});
}

val kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Text: return val("text");
    case ControlKind::Picture: return val("picture");
    case ControlKind::Frame: return val("frame");
    case ControlKind::Button: return val("button");
    case ControlKind::Cover: return val("cover");
  }
  return val("text");
}

val control(const Control& c) {
  return object({{"kind", kindName(c.kind)}, {"name", text(c.name)}, {"box", box(c.box)}, {"text", text(c.text)},
                 {"font", font(c.font)}, {"align", align(c.align)}, {"inFrame", val(c.inFrame)},
                 {"wraps", val(c.wraps)}, {"counter", val(c.counter != nullptr)}});
}

val sideWindow(const SideWindowLayout* w) {
  return object({{"name", text(w->name)}, {"window", val(static_cast<int>(w->window))}, {"title", text(w->title)},
                 {"width", val(w->width)}, {"height", val(w->height)}, {"font", font(DialogFont)}, {"controls", list(w->controls, control)}});
}

// The kinds of the machine's Input the page passes on.
val inputs() {
  using K = InputKind;
  const auto n = [](K kind) { return val(static_cast<int>(kind)); };
  return object({{"press", n(K::Press)}, {"doubleClick", n(K::DoubleClick)}, {"release", n(K::Release)},
                 {"move", n(K::Move)}, {"fingerDown", n(K::FingerDown)}, {"fingerMove", n(K::FingerMove)},
                 {"fingerUp", n(K::FingerUp)}, {"menuKey", n(K::MenuKey)}, {"escape", n(K::Escape)},
                 {"activate", n(K::Activate)}});
}

}  // namespace

val pageTables() {
  namespace mw = machine_window;
  const val cabinet = array({val("cabinet"), box(mw::NormalFaceArtwork)});
  const val player = array({val("player"), box(mw::DemoFaceArtwork)});
  // The faces in the machine's order: the cabinet alone, then the cabinet with the player.
  const val faces = array({object({{"outline", points(NormalOutline)}, {"pictures", array({cabinet})}}),
                           object({{"outline", points(DemoOutline)}, {"pictures", array({cabinet, player})}})});
  return object(
      {{"inputs", inputs()}, {"title", text(mw::Title)}, {"width", val(mw::Width)}, {"height", val(mw::Height)},
       {"font", font(mw::Font)}, {"cabinetBlue", colour(mw::CabinetBlue)}, {"faces", faces},
       {"labels", list(mw::Texts, label)}, {"hotSpots", list(mw::HotSpots, hotSpot)},
       {"cells", points(mw::CellPositions)}, {"boardName", text(mw::BoardName)}, {"board", box(mw::BoardBox)},
       {"coin", object({{"width", val(mw::CoinWidth)}, {"height", val(mw::CoinHeight)},
                        {"fill", colour(mw::CoinFill)}, {"border", colour(mw::CoinBorder)},
                        {"left", val(ParkedLeft)}, {"top", val(MachineState{}.CoinTop)}})},
       {"menu", list(mw::Menu, [](const MenuItem& m) { return text(m.text); })},
       {"buttons", object({{"ok", text(message_box::Ok)}, {"yes", text(message_box::Yes)},
                           {"no", text(message_box::No)}})},
       {"answers", object({{"ok", val(int(Answer::Ok))}, {"yes", val(int(Answer::Yes))},
                           {"no", val(int(Answer::No))}})},
       {"warningStyle", val(static_cast<int>(MessageStyle::WarningOk))},
       {"yesNoStyle", val(static_cast<int>(MessageStyle::InformationYesNo))},
       {"mouseButtons", object({{"left", val(int(MouseButton::Left))}, {"right", val(int(MouseButton::Right))},
                                {"middle", val(int(MouseButton::Middle))}})},
       {"sideWindowFace", colour(SideWindowFace)}, {"closeBoxName", text(CloseBoxName)},
       {"sideWindows", list(SideWindows, sideWindow)}});
}
// clang-format on

}  // namespace vertuno::web
