// The sounds of a forced 777 (the click, then 200 coins counted out) as a PulseAudio sink hears
// them, recorded from its monitor, for three players side by side: the game's, Qt's own
// QSoundEffect, and `pacat` with a 100 ms latency given the same sounds at the same moments.
//   sound_timing PROGRAM_FOLDER
// Run it where the default sink is a null sink (bench/run.sh starts one).
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "machine/machine.h"
#include "qt/fonts.h"
#include "qt/machine_window.h"
#include "qt/platform.h"
#include "qt/view.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Rate = 44100;
constexpr auto FirstClickAfter = std::chrono::milliseconds(500);

double secondsSince(Clock::time_point origin, Clock::time_point t) {
  return std::chrono::duration<double>(t - origin).count();
}

struct Call {
  Clock::time_point at;
  std::string name;
};

using Clips = std::map<std::string, std::vector<std::int16_t>>;

// The samples of a mono 16-bit WAV file as make_sounds writes them.
std::vector<std::int16_t> clipOf(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  const qsizetype data = bytes.indexOf("data");
  if (data < 0) return {};
  std::vector<std::int16_t> samples(static_cast<std::size_t>(bytes.size() - data - 8) / 2);
  std::memcpy(samples.data(), bytes.constData() + data + 8, samples.size() * 2);
  return samples;
}

// A child process whose standard input or output is a pipe to us.
struct Child {
  pid_t pid = -1;
  int fd = -1;
};

Child spawn(std::vector<std::string> arguments, bool weRead) {
  int ends[2];
  if (pipe(ends) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(weRead ? ends[1] : ends[0], weRead ? STDOUT_FILENO : STDIN_FILENO);
    close(ends[0]);
    close(ends[1]);
    std::vector<char*> argv;
    for (auto& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(weRead ? ends[1] : ends[0]);
  return {pid, weRead ? ends[0] : ends[1]};
}

void finish(Child& child) {
  if (child.fd >= 0) close(child.fd);
  kill(child.pid, SIGTERM);
  waitpid(child.pid, nullptr, 0);
}

// Records the default sink's monitor in small blocks. The moment each sample was mixed is the
// earliest that any block's arrival allows: a block read late only makes its own arrival later.
// Construction returns once the recording runs steadily.
class Recorder {
 public:
  Recorder() {
    const char* monitor = std::getenv("VERTUNO_SPEAKER_MONITOR");
    child_ = spawn({"parec", "-d", monitor ? monitor : "@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--rate=44100",
                    "--channels=1", "--latency-msec=5"},
                   true);
    auto started = started_.get_future();
    reader_ = std::thread([this] { read(); });
    // Until the first samples arrive, nothing would be heard.
    started.wait();
  }

  std::vector<std::int16_t> stop(Clock::time_point& start) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    kill(child_.pid, SIGTERM);
    reader_.join();
    finish(child_);
    start = start_;
    return std::move(samples_);
  }

 private:
  void read() {
    char buffer[4096];
    std::vector<char> pending;
    // A sink with nothing to play runs far ahead of the clock, then stops until the clock catches
    // up; the samples' moments are only taken once they arrive steadily, at the clock's pace.
    std::deque<std::pair<Clock::time_point, Clock::time_point>> lastSecond;  // arrival, start
    bool steady = false;
    for (;;) {
      const ssize_t got = ::read(child_.fd, buffer, sizeof buffer);
      if (got <= 0) break;
      const auto now = Clock::now();
      // The block's first sample was mixed by now at the latest: a sink mixes whole blocks ahead.
      const auto playedFor = std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(static_cast<double>(pending.size() / 2) / Rate));
      pending.insert(pending.end(), buffer, buffer + got);
      const auto start = now - playedFor;
      if (steady) {
        start_ = std::min(start_, start);
        continue;
      }
      lastSecond.emplace_back(now, start);
      while (now - lastSecond.front().first > std::chrono::seconds(1)) lastSecond.pop_front();
      const auto [early, late] = std::minmax_element(lastSecond.begin(), lastSecond.end(),
                                                     [](auto& a, auto& b) { return a.second < b.second; });
      if (now - lastSecond.front().first > std::chrono::milliseconds(900) &&
          late->second - early->second < std::chrono::milliseconds(3)) {
        steady = true;
        start_ = early->second;
        started_.set_value();
      }
    }
    samples_.resize(pending.size() / 2);
    std::memcpy(samples_.data(), pending.data(), samples_.size() * 2);
  }

  Child child_;
  std::thread reader_;
  std::promise<void> started_;
  Clock::time_point start_;
  std::vector<std::int16_t> samples_;
};

// How alike two stretches of samples are, from -1 to 1, whatever their loudness.
double likeness(const std::int16_t* a, const std::int16_t* b, std::size_t n) {
  double ab = 0, aa = 0, bb = 0;
  for (std::size_t i = 0; i < n; ++i) {
    ab += double(a[i]) * b[i];
    aa += double(a[i]) * a[i];
    bb += double(b[i]) * b[i];
  }
  return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

struct Figures {
  std::size_t called = 0;
  std::size_t whole = 0;         // heard from their first sample
  std::vector<double> delaysMs;  // from the call to that first sample
  std::size_t gaps = 0;          // 5 ms or more of silence inside the count-out
  std::size_t gapsAtStart = 0;   // of which where a coin's sound should be starting
  double longestGapMs = 0;
};

Figures judge(const std::vector<Call>& calls, const std::vector<std::int16_t>& heard, Clock::time_point heardFrom,
              const Clips& clips) {
  Figures f;
  f.called = calls.size();
  const auto at = [&](Clock::time_point t) {
    return static_cast<long>(std::lround(secondsSince(heardFrom, t) * Rate));
  };
  constexpr std::size_t Head = 96;  // 2 ms: the sound's first samples, found where it starts
  for (std::size_t k = 0; k < calls.size(); ++k) {
    const Call& call = calls[k];
    const auto& clip = clips.at(call.name);
    if (clip.size() < Head) continue;
    // A sound not started by the next call was never heard: that call stops it.
    long to = at(call.at) + Rate / 4;
    if (k + 1 < calls.size()) to = std::min(to, at(calls[k + 1].at));
    to = std::min<long>(static_cast<long>(heard.size()) - static_cast<long>(Head), to);
    const long from = std::max(0L, at(call.at) - Rate / 200);
    for (long i = from; i < to; ++i) {
      if (likeness(heard.data() + i, clip.data(), Head) > 0.95) {
        ++f.whole;
        f.delaysMs.push_back((i - at(call.at)) * 1000.0 / Rate);
        break;
      }
    }
  }
  // The coins' sounds follow each other without a pause, so any silence among them is a gap.
  std::vector<long> coinStarts;
  for (const Call& call : calls) {
    if (call.name == "sound.wav") coinStarts.push_back(at(call.at));
  }
  if (coinStarts.empty()) return f;
  constexpr int Quiet = 4;
  const long end = std::min<long>(static_cast<long>(heard.size()), coinStarts.back() + Rate / 10);
  long runStart = -1;
  for (long i = coinStarts.front() + Rate / 20; i <= end; ++i) {
    const bool quiet = i < end && std::abs(heard[static_cast<std::size_t>(i)]) <= Quiet;
    if (quiet && runStart < 0) runStart = i;
    if (!quiet && runStart >= 0) {
      if (i - runStart >= Rate / 200) {
        ++f.gaps;
        f.longestGapMs = std::max(f.longestGapMs, (i - runStart) * 1000.0 / Rate);
        const bool atStart = std::any_of(coinStarts.begin(), coinStarts.end(),
                                         [&](long s) { return runStart <= s + Rate * 3 / 100 && i >= s; });
        if (atStart) ++f.gapsAtStart;
      }
      runStart = -1;
    }
  }
  return f;
}

// The Qt platform, noting when each sound is asked for; playing it through QSoundEffect instead
// of the game's own player when asked to.
class NotingPlatform final : public vertuno::qt::QtPlatform {
 public:
  NotingPlatform(QString folder, bool qtEffect)
      : QtPlatform(QFile::encodeName(folder).toStdString(), "/tmp/vertuno-sound-bench.ini"),
        folder_(folder),
        qtEffect_(qtEffect) {}
  std::vector<Call> calls;

  void playSound(const std::string& name) override {
    calls.push_back({Clock::now(), name});
    if (!qtEffect_) {
      QtPlatform::playSound(name);
      return;
    }
    auto& effect = effects_[QString::fromStdString(name)];
    if (!effect) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(QString::fromStdString(name))));
    }
    if (playing_) playing_->stop();
    effect->play();
    playing_ = effect.get();
  }

 private:
  QString folder_;
  bool qtEffect_;
  std::unordered_map<QString, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
};

// One forced 777 on the real machine and its window.
std::vector<Call> playForced777(const QString& folder, bool qtEffect) {
  NotingPlatform platform(folder, qtEffect);
  vertuno::qt::QtView view;
  vertuno::Machine machine(platform, view);
  vertuno::qt::MachineWindow window(machine);
  view.attach(machine, window);
  platform.attach(machine);
  machine.Form_Load();
  // A player's first click comes after the window is on the screen, not in the same instant.
  QEventLoop shown;
  QTimer::singleShot(FirstClickAfter, &shown, &QEventLoop::quit);
  shown.exec();
  machine.state().PlayerCoins = "100";
  machine.state().Force777 = "1";
  machine.Label1_Click();
  return platform.calls;
}

// The same sounds at the same moments, mixed as one stream, each cut short by the next.
std::vector<Call> playThroughPacat(const std::vector<Call>& model, const Clips& clips) {
  std::vector<std::int16_t> mix;
  for (std::size_t k = 0; k < model.size(); ++k) {
    const auto offset = static_cast<std::size_t>(secondsSince(model.front().at, model[k].at) * Rate);
    const auto& clip = clips.at(model[k].name);
    mix.resize(offset);
    mix.insert(mix.end(), clip.begin(), clip.end());
  }
  Child pacat =
      spawn({"pacat", "--raw", "--format=s16le", "--rate=44100", "--channels=1", "--latency-msec=100"}, false);
  const auto launched = Clock::now();
  std::vector<Call> calls;
  for (const Call& call : model) calls.push_back({launched + (call.at - model.front().at), call.name});
  const char* bytes = reinterpret_cast<const char*>(mix.data());
  for (std::size_t done = 0, size = mix.size() * 2; done < size;) {
    const ssize_t wrote = write(pacat.fd, bytes + done, size - done);
    if (wrote <= 0) break;
    done += static_cast<std::size_t>(wrote);
  }
  close(pacat.fd);
  waitpid(pacat.pid, nullptr, 0);
  return calls;
}

double percentile(std::vector<double> v, double p) {
  if (v.empty()) return NAN;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5)];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: sound_timing PROGRAM_FOLDER\n");
    return 2;
  }
  std::signal(SIGPIPE, SIG_IGN);
  QApplication app(argc, argv);
  vertuno::qt::installMachineFonts();
  const QString folder = QString::fromLocal8Bit(argv[1]);
  Clips clips;
  for (const char* name : {"click.wav", "sound.wav"}) clips[name] = clipOf(folder.toStdString() + "/" + name);

  const auto measure = [&](auto play) {
    Recorder recorder;
    const std::vector<Call> calls = play();
    Clock::time_point heardFrom;
    const auto heard = recorder.stop(heardFrom);
    return judge(calls, heard, heardFrom, clips);
  };
  std::vector<Call> model;
  const Figures game = measure([&] { return model = playForced777(folder, false); });
  const Figures effect = measure([&] { return playForced777(folder, true); });
  const Figures pacat = measure([&] { return playThroughPacat(model, clips); });

  const Figures* all[] = {&game, &effect, &pacat};
  std::printf(
      "| sounds of a forced 777 (a click, 200 coins) | this game | Qt's QSoundEffect | pacat, 100 ms latency | target "
      "|\n");
  std::printf("|---|---|---|---|---|\n");
  std::printf("| heard from their first sample, of those asked for");
  for (auto* f : all) std::printf(" | %zu of %zu", f->whole, f->called);
  std::printf(" | all |\n| gaps of 5 ms or more inside the count-out (at a coin's start)");
  for (auto* f : all) std::printf(" | %zu (%zu)", f->gaps, f->gapsAtStart);
  std::printf(" | none |\n| longest gap (ms)");
  for (auto* f : all) std::printf(" | %.1f", f->longestGapMs);
  std::printf(" | |\n| from the call to the first sample heard: median / p95 / longest (ms)");
  for (auto* f : all) {
    std::printf(" | %.1f / %.1f / %.1f", percentile(f->delaysMs, 0.5), percentile(f->delaysMs, 0.95),
                percentile(f->delaysMs, 1.0));
  }
  std::printf(" | longest <= 30 |\n");
  return 0;
}
