#include "web/platform.h"

#include <emscripten.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "assets/machine_sounds.h"
#include "machine/layout.h"

namespace vertuno::web {

namespace {

constexpr const char* TotalsFile = "/vertuno/data1.ini";

// The page's side of each call lives in page.js, under Module.page.
// The event's numbers go to a, b, x, y, in that order.
EM_JS(int, takePageEvent, (int* numbers), {
  const event = Module.page.takeEvent();
  if (!event) return 0;
  HEAP32.set([event.a | 0, event.b | 0, event.x | 0, event.y | 0], numbers >> 2);
  return event.kind;
});

EM_ASYNC_JS(void, sleepUntilPageEvent, (), { await Module.page.nextEvent(); });

EM_ASYNC_JS(void, sleepForever, (), { await new Promise(() => {}); });

EM_JS(void, startPageTimer2, (int intervalMs), { Module.page.startTimer2(intervalMs); });
EM_JS(void, armPageTimer1, (int intervalMs), { Module.page.armTimer1(intervalMs); });
EM_JS(void, disarmPageTimer1, (), { Module.page.disarmTimer1(); });
EM_JS(void, playPageSound, (const char* name), { Module.page.playSound(UTF8ToString(name)); });
EM_JS(void, switchPageOff, (int status), { Module.page.switchOff(status); });
EM_JS(void, keepPageSound, (const char* name, const float* samples, int count, int rate), {
  Module.page.keepSound(UTF8ToString(name), HEAPF32.subarray(samples >> 2, (samples >> 2) + count), rate);
});
EM_JS(bool, pageKeepsMoney, (), { return Module.page.keepsMoney; });

// The stored text, malloc'ed, or null when the browser keeps none.
EM_JS(char*, readStoredTotals, (), {
  const text = Module.page.readStoredTotals();
  if (text === null) return 0;
  const size = lengthBytesUTF8(text) + 1;
  const copy = _malloc(size);
  stringToUTF8(text, copy, size);
  return copy;
});

// True when the browser took the whole text in one write.
EM_JS(bool, writeStoredTotals, (const char* bytes), { return Module.page.writeStoredTotals(UTF8ToString(bytes)); });

}  // namespace

// Timer3 has nothing to do, so the page never wakes for it.
void WebPlatform::startWindowTimers() { startPageTimer2(machine_window::Timer2IntervalMs); }

void WebPlatform::pumpEvents() {
  for (;;) {
    int numbers[4];
    const auto kind = static_cast<PageEventKind>(takePageEvent(numbers));
    if (kind == PageEventKind::None) return;
    dispatch_({kind, numbers[0], numbers[1], numbers[2], numbers[3]});
  }
}

void WebPlatform::waitForEvents() {
  sleepUntilPageEvent();
  pumpEvents();
}

void WebPlatform::armWaitTimer(int intervalMs) { armPageTimer1(intervalMs); }

void WebPlatform::disarmWaitTimer() { disarmPageTimer1(); }

// The page plays the sounds the machine makes itself, each the first time it is played: nothing
// to fetch, from a server or a file, and nothing to hold back the cabinet's first paint.
void WebPlatform::playSound(const std::string& name) {
  if (soundsMade_.insert(name).second) {
    std::vector<float> samples;
    for (const std::int16_t sample : sounds::synthesise(name)) samples.push_back(static_cast<float>(sample) / 32768);
    keepPageSound(name.c_str(), samples.data(), static_cast<int>(samples.size()), sounds::SampleRate);
  }
  playPageSound(name.c_str());
}

void WebPlatform::reseedRandom() { random_.reseed(); }

double WebPlatform::nextRandom() { return random_.next(); }

std::string WebPlatform::totalsFilePath() { return pageKeepsMoney() ? TotalsFile : ""; }

std::optional<std::string> WebPlatform::readFile(const std::string& path, std::size_t largest) {
  if (path != TotalsFile) return std::nullopt;
  const std::unique_ptr<char, decltype(&std::free)> stored(readStoredTotals(), &std::free);
  if (!stored) return std::nullopt;
  std::string bytes = stored.get();
  if (bytes.size() > largest) return std::nullopt;
  return bytes;
}

std::error_code WebPlatform::replaceFile(const std::string& path, const std::string& bytes) {
  if (path != TotalsFile) return std::make_error_code(std::errc::permission_denied);
  if (!writeStoredTotals(bytes.c_str())) return std::make_error_code(std::errc::no_space_on_device);
  return {};
}

// The machine is off: the page says so, and this stack sleeps for good, as nothing will wake it.
void WebPlatform::endProgram(int status) {
  switchPageOff(status);
  for (;;) sleepForever();
}

}  // namespace vertuno::web
