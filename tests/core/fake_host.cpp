#include "tests/core/fake_host.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "machine/outlines.h"

namespace vertuno::testing {

FakeHost::FakeHost() : machine_(*this, *this) {}

void FakeHost::at(double seconds, std::function<void(Machine&)> action) {
  scheduled_.emplace(static_cast<Micros>(seconds * 1e6 + 0.5), std::move(action));
}

void FakeHost::drawPlay(int first, int second, int third, int spare, int special) {
  for (int digit : {first, second, third, spare}) draws.push_back((digit + 0.5) / 10);
  draws.push_back((special + 0.5) / 101);
}

std::optional<FakeHost::Micros> FakeHost::nextDue() const {
  std::optional<Micros> due;
  auto consider = [&due](std::optional<Micros> t) {
    if (t && (!due || *t < *due)) due = t;
  };
  if (!scheduled_.empty()) consider(scheduled_.begin()->first);
  consider(waitTimerDue_);
  consider(idleTimerDue_);
  consider(longPressDue_);
  return due;
}

// Delivers, in time order, whatever is due now. Timer ticks come before scheduled input due
// at the same instant, as a timer message queued earlier would.
void FakeHost::deliverDue() {
  ++dispatches;
  for (;;) {
    if (waitTimerDue_ && *waitTimerDue_ <= now_) {
      waitTimerDue_ = *waitTimerDue_ + waitTimerInterval_;
      machine_.Timer1_Timer();
      continue;
    }
    if (idleTimerDue_ && *idleTimerDue_ <= now_) {
      idleTimerDue_ = *idleTimerDue_ + machine_window::Timer2IntervalMs * Micros{1000};
      machine_.Timer2_Timer();
      continue;
    }
    if (longPressDue_ && *longPressDue_ <= now_) {
      longPressDue_.reset();
      machine_.input({.kind = InputKind::LongPress});
      continue;
    }
    if (!scheduled_.empty() && scheduled_.begin()->first <= now_) {
      auto action = std::move(scheduled_.begin()->second);
      scheduled_.erase(scheduled_.begin());
      action(machine_);
      continue;
    }
    return;
  }
}

void FakeHost::pumpEvents() { deliverDue(); }

void FakeHost::waitForEvents() {
  auto due = nextDue();
  if (!due) throw std::logic_error("waiting with nothing that could ever end the wait");
  now_ = std::max(now_, *due);
  deliverDue();
}

void FakeHost::runUntil(double seconds) {
  const auto until = static_cast<Micros>(seconds * 1e6 + 0.5);
  for (auto due = nextDue(); due && *due <= until; due = nextDue()) {
    now_ = std::max(now_, *due);
    deliverDue();
  }
  now_ = std::max(now_, until);
}

void FakeHost::armWaitTimer(int intervalMs) {
  waitIntervals.push_back(intervalMs);
  waitTimerInterval_ = static_cast<Micros>(intervalMs) * 1000;
  waitTimerDue_ = now_ + waitTimerInterval_;
}

void FakeHost::disarmWaitTimer() { waitTimerDue_.reset(); }

Answer FakeHost::messageBox(const std::string& text, const std::string& title, MessageStyle style) {
  messages.push_back({now_, text, title, style});
  if (messageBoxOpenSeconds > 0) runUntil(seconds() + messageBoxOpenSeconds);
  if (answers.empty()) return style == MessageStyle::InformationYesNo ? Answer::Yes : Answer::Ok;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> FakeHost::readFile(const std::string& utf8Path, std::size_t largest) {
  const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > largest) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (!file) return std::nullopt;
  return bytes;
}

std::error_code FakeHost::replaceFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".new";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!(file << bytes) || !file.flush()) return std::make_error_code(std::errc::io_error);
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  if (error) std::filesystem::remove(temporary);
  return error;
}

void FakeHost::playSound(const std::string& name) { sounds.push_back({now_, name}); }

void FakeHost::reseedRandom() {
  ++reseeds;
  generator_.seed(12345 + static_cast<unsigned>(reseeds));
}

double FakeHost::nextRandom() {
  if (!draws.empty()) {
    const double r = draws.front();
    draws.pop_front();
    return r;
  }
  return std::uniform_real_distribution<double>(0, 1)(generator_);
}

void FakeHost::press(MouseButton button, Point at, MouseButton alsoHeld) {
  const auto held = static_cast<MouseButton>(static_cast<unsigned>(button) | static_cast<unsigned>(alsoHeld));
  machine_.input({.kind = InputKind::Press, .button = button, .held = held, .at = at});
}

void FakeHost::release(MouseButton button, Point at, MouseButton stillHeld) {
  machine_.input({.kind = InputKind::Release, .button = button, .held = stillHeld, .at = at});
}

MenuChoice FakeHost::popupMainMenu(std::optional<Point> at) {
  ++menuPopups;
  menuAt = at;
  menuShown = true;
  if (menuOpenSeconds > 0) {
    const auto until = now_ + static_cast<Micros>(menuOpenSeconds * 1e6);
    for (auto due = nextDue(); menuShown && due && *due <= until; due = nextDue()) {
      now_ = std::max(now_, *due);
      deliverDue();
    }
    if (!menuShown) return MenuChoice::None;  // closed by the machine
    now_ = until;
  }
  menuShown = false;
  if (menuChoices.empty()) return MenuChoice::None;
  const MenuChoice choice = menuChoices.front();
  menuChoices.pop_front();
  return choice;
}

void FakeHost::changed(Change what) {
  if (what == Change::Cells) cellChanges.push_back({now_, machine_.state().Tab});
  if (what == Change::Face) {
    const auto outline = outlineFor(machine_.state().CabinetFace);
    outlines.push_back({now_, std::vector<Point>(outline.begin(), outline.end())});
  }
}

}  // namespace vertuno::testing
