#pragma once

#include <QAudioSink>
#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QString>
#include <memory>

namespace vertuno::qt {

// One voice: the clip that is playing, then silence. Reading never runs dry, so the audio
// stream is never drained and restarted between sounds (Qt 6.4 on PulseAudio cuts short or
// drops sounds whose stream stops and starts).
class ClipStream : public QIODevice {
 public:
  explicit ClipStream(QObject* parent) : QIODevice(parent) {}
  void start(const QByteArray& clip);
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override;
  // How long the stream has given nothing but silence, in bytes.
  qint64 silentBytes() const { return silentBytes_; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QByteArray clip_;
  qint64 position_ = 0;
  qint64 silentBytes_ = 0;
};

// Plays the machine's WAV files asynchronously, one at a time: a new start stops the one
// playing. A file that is missing or not 16-bit PCM, or no audio device, is silence.
class SoundPlayer : public QObject {
 public:
  explicit SoundPlayer(QObject* parent = nullptr);
  void play(const QString& path);

 private:
  const QByteArray& clipFor(const QString& path);
  void suspendWhenQuiet();

  QHash<QString, QByteArray> clips_;
  ClipStream* stream_ = nullptr;
  std::unique_ptr<QAudioSink> sink_;
};

}  // namespace vertuno::qt
