#include "web/platform.h"

#include <emscripten.h>

#include "assets/machine_sounds.h"
#include "machine/layout.h"
#include "web/page_tables.h"

namespace vertuno::web {

namespace {

constexpr const char* TotalsFile = "/vertuno/data1.ini";

using emscripten::val;

// JavaScript, which the C++ formatter would break.
// clang-format off
EM_ASYNC_JS(void, sleepUntilPageEvent, (), { await Module.page.nextEvent(); });

EM_ASYNC_JS(void, sleepForever, (), { await new Promise(() => {}); });
// clang-format on

}  // namespace

// Timer3 has nothing to do, so the page never wakes for it.
void WebPlatform::startWindowTimers() { page().call<void>("startTimer2", machine_window::Timer2IntervalMs); }

void WebPlatform::pumpEvents() {
  for (val event = page().call<val>("takeEvent"); !event.isNull(); event = page().call<val>("takeEvent")) {
    dispatch_(event);
  }
}

void WebPlatform::waitForEvents() {
  sleepUntilPageEvent();
  pumpEvents();
}

void WebPlatform::armWaitTimer(int intervalMs) { page().call<void>("armTimer", std::string("timer1"), intervalMs); }

void WebPlatform::disarmWaitTimer() { page().call<void>("disarmTimer", std::string("timer1")); }

void WebPlatform::armLongPressTimer(int intervalMs) {
  page().call<void>("armTimer", std::string("longPress"), intervalMs);
}

void WebPlatform::disarmLongPressTimer() { page().call<void>("disarmTimer", std::string("longPress")); }

// The page plays the sounds the machine makes itself, each the first time it is played: nothing
// to fetch, from a server or a file, and nothing to hold back the cabinet's first paint.
void WebPlatform::playSound(const std::string& name) {
  if (soundsMade_.insert(name).second) {
    std::vector<float> samples;
    for (const std::int16_t sample : sounds::synthesise(name)) samples.push_back(static_cast<float>(sample) / 32768);
    page().call<void>("keepSound", name, val(emscripten::typed_memory_view(samples.size(), samples.data())),
                      sounds::SampleRate);
  }
  page().call<void>("playSound", name);
}

void WebPlatform::reseedRandom() { random_.reseed(); }

double WebPlatform::nextRandom() { return random_.next(); }

std::string WebPlatform::totalsFilePath() { return page()["keepsMoney"].as<bool>() ? TotalsFile : ""; }

std::optional<std::string> WebPlatform::readFile(const std::string& path, std::size_t largest) {
  if (path != TotalsFile) return std::nullopt;
  const val stored = page().call<val>("readStoredTotals");
  if (stored.isNull()) return std::nullopt;
  std::string bytes = stored.as<std::string>();
  if (bytes.size() > largest) return std::nullopt;
  return bytes;
}

std::error_code WebPlatform::replaceFile(const std::string& path, const std::string& bytes) {
  if (path != TotalsFile) return std::make_error_code(std::errc::permission_denied);
  if (!page().call<bool>("writeStoredTotals", bytes)) return std::make_error_code(std::errc::no_space_on_device);
  return {};
}

// The machine is off: the page says so, and this stack sleeps for good, as nothing will wake it.
void WebPlatform::endProgram(int status) {
  page().call<void>("switchOff", status);
  for (;;) sleepForever();
}

}  // namespace vertuno::web
