#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct pa_context;
struct pa_proplist;
struct pa_stream;
struct pa_threaded_mainloop;

namespace vertuno::posix {

// Plays the machine's sound files asynchronously, one at a time: a new start stops the one
// playing. Each sound is handed whole to the sound server, which plays it without us: a busy
// event loop or machine cannot starve it. Between sounds the stream is paused, so an idle
// machine wakes nothing. A file that cannot be read, or no sound server, is silence; a server
// that went away is looked for again at a later sound, so sound comes back when it restarts.
class SoundPlayer {
 public:
  // The sound server shows the sounds under the application's name.
  explicit SoundPlayer(std::string applicationName);
  ~SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;

  // Reads a sound ahead and, with the first, makes the stream: the sound server may take a
  // moment to set a new stream up, which the first sound of a run would otherwise lose.
  void prepare(const std::string& path);
  void play(const std::string& path);

 private:
  struct Sample {
    std::uint32_t rate = 0;
    std::uint8_t channels = 0;
    std::vector<std::int16_t> samples;
  };

  // Everything below runs with the main loop's lock held: its thread calls back into it.
  const Sample* sampleFor(const std::string& path);
  pa_proplist* gameProperties() const;
  void connectIfGone();
  void dropConnection();
  void openStreamFor(const Sample& sample);
  void dropStream();
  void startNow();
  static void onContextState(pa_context* context, void* player);
  static void onStreamState(pa_stream* stream, void* player);
  static void onStreamDry(pa_stream* stream, void* player);

  std::string applicationName_;
  pa_threaded_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  std::chrono::steady_clock::time_point lastConnect_;
  std::map<std::string, Sample> samples_;
  const Sample* playing_ = nullptr;   // the last sound asked for
  const Sample* prepared_ = nullptr;  // the format the stream is made for before any sound
  bool paused_ = true;
};

}  // namespace vertuno::posix
