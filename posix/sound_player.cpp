#include "posix/sound_player.h"

#include <pulse/context.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>
#include <sndfile.h>

#include <algorithm>

namespace vertuno::posix {

namespace {

// Far above any sound of the machine.
constexpr sf_count_t MostFrames = 2 * 1024 * 1024;
// How far ahead of the speaker the server mixes our sounds: how late a new one may start.
constexpr std::uint64_t AheadMicroseconds = 10000;
// A paused stream taken up again first has the few milliseconds the server mixed ahead without
// it rewritten, and a sound there loses its opening: it starts after this much silence instead.
constexpr pa_usec_t ResumeLeadMicroseconds = 15000;
// While no server answers, a count-out would otherwise knock 200 times in half a minute.
constexpr auto ReconnectPause = std::chrono::seconds(1);

class LoopLock {
 public:
  explicit LoopLock(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
  ~LoopLock() { pa_threaded_mainloop_unlock(loop_); }
  LoopLock(const LoopLock&) = delete;
  LoopLock& operator=(const LoopLock&) = delete;

 private:
  pa_threaded_mainloop* loop_;
};

void forget(pa_operation* operation) {
  if (operation) pa_operation_unref(operation);
}

}  // namespace

SoundPlayer::SoundPlayer(std::string applicationName) : applicationName_(std::move(applicationName)) {
  loop_ = pa_threaded_mainloop_new();
  if (loop_ && pa_threaded_mainloop_start(loop_) < 0) {
    pa_threaded_mainloop_free(loop_);
    loop_ = nullptr;
  }
  if (!loop_) return;
  // Connected now, so that the first sound only waits for its upload.
  LoopLock lock(loop_);
  connectIfGone();
}

SoundPlayer::~SoundPlayer() {
  if (!loop_) return;
  {
    LoopLock lock(loop_);
    dropConnection();
  }
  pa_threaded_mainloop_stop(loop_);
  pa_threaded_mainloop_free(loop_);
}

// Named as the game, so the server keeps one volume for all of its sounds.
pa_proplist* SoundPlayer::gameProperties() const {
  pa_proplist* properties = pa_proplist_new();
  pa_proplist_sets(properties, PA_PROP_APPLICATION_NAME, applicationName_.c_str());
  return properties;
}

void SoundPlayer::prepare(const std::string& path) {
  if (!loop_) return;
  LoopLock lock(loop_);
  const Sample* sample = sampleFor(path);
  if (!sample || prepared_) return;
  prepared_ = sample;
  if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY) openStreamFor(*sample);
}

void SoundPlayer::play(const std::string& path) {
  if (!loop_) return;
  LoopLock lock(loop_);
  const Sample* sample = sampleFor(path);
  if (!sample) return;
  connectIfGone();
  playing_ = sample;
  if (!context_ || pa_context_get_state(context_) != PA_CONTEXT_READY) return;
  openStreamFor(*sample);
  if (pa_stream_get_state(stream_) == PA_STREAM_READY) startNow();
}

// Any WAV file the sound library reads, as 16-bit samples; null when it cannot be read.
const SoundPlayer::Sample* SoundPlayer::sampleFor(const std::string& path) {
  if (auto known = samples_.find(path); known != samples_.end()) {
    return known->second.samples.empty() ? nullptr : &known->second;
  }
  Sample& sample = samples_[path];
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) return nullptr;
  if (info.channels >= 1 && info.channels <= 8 && info.samplerate > 0 && info.frames > 0 && info.frames <= MostFrames) {
    sample.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t read = sf_readf_short(file, sample.samples.data(), info.frames);
    sample.samples.resize(static_cast<std::size_t>(std::max<sf_count_t>(read, 0) * info.channels));
  }
  sf_close(file);
  if (sample.samples.empty()) return nullptr;
  sample.rate = static_cast<std::uint32_t>(info.samplerate);
  sample.channels = static_cast<std::uint8_t>(info.channels);
  return &sample;
}

void SoundPlayer::connectIfGone() {
  if (context_ && PA_CONTEXT_IS_GOOD(pa_context_get_state(context_))) return;
  const auto now = std::chrono::steady_clock::now();
  if (context_ && now - lastConnect_ < ReconnectPause) return;
  dropConnection();
  lastConnect_ = now;
  pa_proplist* properties = gameProperties();
  context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_), nullptr, properties);
  pa_proplist_free(properties);
  if (!context_) return;
  pa_context_set_state_callback(context_, &SoundPlayer::onContextState, this);
  // Never start a server of our own: the desktop's is the one the player hears.
  pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
}

void SoundPlayer::dropConnection() {
  dropStream();
  if (!context_) return;
  pa_context_set_state_callback(context_, nullptr, nullptr);
  pa_context_disconnect(context_);
  pa_context_unref(context_);
  context_ = nullptr;
}

// One stream for every sound of one format; a sound of another format gets a stream of its own.
void SoundPlayer::openStreamFor(const Sample& sample) {
  if (stream_) {
    const pa_sample_spec* format = pa_stream_get_sample_spec(stream_);
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)) && format->rate == sample.rate &&
        format->channels == sample.channels) {
      return;
    }
    dropStream();
  }
  const pa_sample_spec format{PA_SAMPLE_S16NE, sample.rate, sample.channels};
  pa_proplist* properties = gameProperties();
  pa_proplist_sets(properties, PA_PROP_MEDIA_ROLE, "game");
  stream_ = pa_stream_new_with_proplist(context_, "sounds", &format, nullptr, properties);
  pa_proplist_free(properties);
  if (!stream_) return;
  pa_stream_set_state_callback(stream_, &SoundPlayer::onStreamState, this);
  pa_stream_set_underflow_callback(stream_, &SoundPlayer::onStreamDry, this);
  const auto ahead = static_cast<std::uint32_t>(pa_usec_to_bytes(AheadMicroseconds, &format));
  const pa_buffer_attr buffer{static_cast<std::uint32_t>(-1), ahead, static_cast<std::uint32_t>(-1),
                              static_cast<std::uint32_t>(-1), static_cast<std::uint32_t>(-1)};
  paused_ = true;
  pa_stream_connect_playback(stream_, nullptr, &buffer,
                             static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED), nullptr,
                             nullptr);
}

void SoundPlayer::dropStream() {
  if (!stream_) return;
  pa_stream_set_state_callback(stream_, nullptr, nullptr);
  pa_stream_set_underflow_callback(stream_, nullptr, nullptr);
  pa_stream_disconnect(stream_);
  pa_stream_unref(stream_);
  stream_ = nullptr;
}

// The whole sound goes to the server at once, in place of whatever it still held of ours: it
// then plays to its end with nothing more from us, however busy this process or machine is.
// Written where the server reads next, it needs no rewrite of what is already mixed, and starts
// from its first sample.
void SoundPlayer::startNow() {
  const std::size_t bytes = playing_->samples.size() * sizeof(std::int16_t);
  if (!paused_) {
    pa_stream_write(stream_, playing_->samples.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE_ON_READ);
    return;
  }
  const std::vector<char> silence(pa_usec_to_bytes(ResumeLeadMicroseconds, pa_stream_get_sample_spec(stream_)));
  pa_stream_write(stream_, silence.data(), silence.size(), nullptr, 0, PA_SEEK_RELATIVE_ON_READ);
  pa_stream_write(stream_, playing_->samples.data(), bytes, nullptr, 0, PA_SEEK_RELATIVE);
  forget(pa_stream_cork(stream_, 0, nullptr, nullptr));
  paused_ = false;
}

void SoundPlayer::onContextState(pa_context* context, void* player) {
  auto* self = static_cast<SoundPlayer*>(player);
  if (pa_context_get_state(context) != PA_CONTEXT_READY) return;
  if (const Sample* sample = self->playing_ ? self->playing_ : self->prepared_) self->openStreamFor(*sample);
}

void SoundPlayer::onStreamState(pa_stream* stream, void* player) {
  auto* self = static_cast<SoundPlayer*>(player);
  if (pa_stream_get_state(stream) == PA_STREAM_READY && self->playing_) self->startNow();
}

// Run dry: paused until the next sound, so that the server can idle.
void SoundPlayer::onStreamDry(pa_stream* stream, void* player) {
  auto* self = static_cast<SoundPlayer*>(player);
  forget(pa_stream_cork(stream, 1, nullptr, nullptr));
  self->paused_ = true;
}

}  // namespace vertuno::posix
