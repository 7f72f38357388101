// The audio module behind kit::Sound: Qt Multimedia's player on the default output.
#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include "kit/SoundModule.h"

namespace {

class QtSoundPlayer final : public kit::SoundPlayer {
 public:
  QtSoundPlayer() {
    player_.setAudioOutput(&output_);
    QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, &player_, [this](QMediaPlayer::MediaStatus s) {
      if (s == QMediaPlayer::EndOfMedia) end(true, {});
      if (s == QMediaPlayer::InvalidMedia) end(false, "cannot decode " + path_);
    });
    QObject::connect(&player_, &QMediaPlayer::errorOccurred, &player_, [this](QMediaPlayer::Error, const QString& text) {
      end(false, text.isEmpty() ? "cannot play " + path_ : text.toStdString());
    });
  }
  ~QtSoundPlayer() override {
    ended_ = nullptr;
    player_.stop();
  }

  bool play(const std::string& path, std::string* error) override {
    path_ = path;
    player_.stop();
    player_.setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    player_.setPosition(0);
    player_.play();
    if (player_.error() != QMediaPlayer::NoError) {
      if (error) *error = player_.errorString().toStdString();
      return false;
    }
    return true;
  }
  void stop() override { player_.stop(); }
  double position() const override { return player_.position() / 1000.0; }
  double duration() const override { return player_.duration() / 1000.0; }
  void setEndedHandler(Ended ended) override { ended_ = std::move(ended); }

 private:
  void end(bool completed, const std::string& error) {
    if (ended_) ended_(completed, error);
  }
  QMediaPlayer player_;
  QAudioOutput output_;
  std::string path_;
  Ended ended_;
};

bool hasAudioOutput() { return !QMediaDevices::audioOutputs().isEmpty(); }
kit::SoundPlayer* makePlayer() { return new QtSoundPlayer; }

const kit::SoundModule kModule{&hasAudioOutput, &makePlayer};

}  // namespace

// Typed as the loader calls it: a call through a pointer of another type is undefined.
extern "C" __attribute__((visibility("default"))) const void* kit_sound_module() { return &kModule; }
