#include "qt/sound_player.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace vertuno::qt {

namespace {

constexpr int SampleRate = 44100;
constexpr int BytesPerSecond = SampleRate * 2;

QAudioFormat clipFormat() {
  QAudioFormat format;
  format.setSampleRate(SampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  return format;
}

// The samples of a mono 16-bit 44.1 kHz RIFF WAVE file; empty for anything else.
QByteArray readWave(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > 16 * 1024 * 1024) return {};
  const QByteArray bytes = file.readAll();
  if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") return {};
  bool formatOk = false;
  for (qsizetype at = 12; at + 8 <= bytes.size();) {
    const QByteArray id = bytes.mid(at, 4);
    const auto size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
    const qsizetype body = at + 8;
    if (size > static_cast<quint32>(bytes.size() - body)) return {};
    if (id == "fmt " && size >= 16) {
      const char* f = bytes.constData() + body;
      formatOk = qFromLittleEndian<quint16>(f) == 1 && qFromLittleEndian<quint16>(f + 2) == 1 &&
                 qFromLittleEndian<quint32>(f + 4) == SampleRate &&
                 qFromLittleEndian<quint16>(f + 14) == 16;
    } else if (id == "data" && formatOk) {
      return bytes.mid(body, static_cast<qsizetype>(size) & ~qsizetype{1});
    }
    at = body + static_cast<qsizetype>(size) + (size & 1);
  }
  return {};
}

}  // namespace

void ClipStream::start(const QByteArray& clip) {
  clip_ = clip;
  position_ = 0;
  silentBytes_ = 0;
}

qint64 ClipStream::bytesAvailable() const { return BytesPerSecond + QIODevice::bytesAvailable(); }

qint64 ClipStream::readData(char* data, qint64 maxSize) {
  maxSize &= ~qint64{1};
  const qint64 fromClip = std::min(maxSize, static_cast<qint64>(clip_.size()) - position_);
  if (fromClip > 0) {
    std::memcpy(data, clip_.constData() + position_, static_cast<std::size_t>(fromClip));
    position_ += fromClip;
  }
  const qint64 done = std::max<qint64>(fromClip, 0);
  std::memset(data + done, 0, static_cast<std::size_t>(maxSize - done));
  silentBytes_ += maxSize - done;
  return maxSize;
}

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

const QByteArray& SoundPlayer::clipFor(const QString& path) {
  auto found = clips_.find(path);
  if (found == clips_.end()) found = clips_.insert(path, readWave(path));
  return *found;
}

void SoundPlayer::play(const QString& path) {
  const QByteArray& clip = clipFor(path);
  if (clip.isEmpty()) return;
  if (!sink_) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(clipFormat())) return;
    stream_ = new ClipStream(this);
    stream_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    sink_ = std::make_unique<QAudioSink>(device, clipFormat());
    // 100 ms: short enough for a click to answer the press, long enough that PulseAudio starts
    // the stream (at 50 ms its pre-buffering never fills and the stream stays silent).
    sink_->setBufferSize(BytesPerSecond / 10);
  }
  stream_->start(clip);
  if (sink_->state() == QAudio::ActiveState || sink_->state() == QAudio::IdleState) return;
  if (sink_->state() == QAudio::SuspendedState) {
    sink_->resume();
  } else {
    sink_->start(stream_);
  }
  QTimer::singleShot(1000, this, [this] { suspendWhenQuiet(); });
}

// Between sounds the stream would only carry silence; pausing it keeps an idle machine from
// waking the processor for nothing.
void SoundPlayer::suspendWhenQuiet() {
  if (!sink_ || sink_->state() != QAudio::ActiveState) return;
  if (stream_->silentBytes() >= BytesPerSecond / 2) {
    sink_->suspend();
    return;
  }
  QTimer::singleShot(1000, this, [this] { suspendWhenQuiet(); });
}

}  // namespace vertuno::qt
