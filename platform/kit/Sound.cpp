#include "kit/Sound.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <filesystem>

namespace kit {

struct Sound::Impl {
  QMediaPlayer player;
  QAudioOutput output;
};

std::unique_ptr<Sound> Sound::fromFile(const std::string& path, bool) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return nullptr;
  return std::unique_ptr<Sound>(new Sound(path));
}

bool Sound::hasAudioOutput() { return !QMediaDevices::audioOutputs().isEmpty(); }

Sound::Sound(std::string path) : d_(std::make_unique<Impl>()), path_(std::move(path)) {
  d_->player.setAudioOutput(&d_->output);
  QObject::connect(&d_->player, &QMediaPlayer::mediaStatusChanged, &d_->player, [this](QMediaPlayer::MediaStatus s) {
    if (s == QMediaPlayer::EndOfMedia) finished(true);
    if (s == QMediaPlayer::InvalidMedia) {
      error_ = "cannot decode " + path_;
      finished(false);
    }
  });
  QObject::connect(&d_->player, &QMediaPlayer::errorOccurred, &d_->player,
                   [this](QMediaPlayer::Error, const QString& text) {
                     error_ = text.isEmpty() ? "cannot play " + path_ : text.toStdString();
                     finished(false);
                   });
}

Sound::~Sound() {
  // No handler runs for a sound that is going away.
  didFinish_ = nullptr;
  d_->player.stop();
}

bool Sound::play() {
  error_.clear();
  if (!hasAudioOutput()) {
    // Nothing can be heard: say so, and still end the play, so that waiters are not left
    // waiting for a finish that never comes.
    error_ = "no audio output device";
    playing_ = true;
    QTimer::singleShot(0, &d_->player, [this] { finished(false); });
    return false;
  }
  if (playing_) d_->player.stop();
  d_->player.setSource(QUrl::fromLocalFile(QString::fromStdString(path_)));
  d_->player.setPosition(0);
  playing_ = true;
  d_->player.play();
  if (d_->player.error() != QMediaPlayer::NoError) {
    error_ = d_->player.errorString().toStdString();
    playing_ = false;
    return false;
  }
  return true;
}

bool Sound::stop() {
  if (!playing_) return false;
  d_->player.stop();
  finished(false);
  return true;
}

bool Sound::isPlaying() const { return playing_; }
double Sound::currentTime() const { return d_->player.position() / 1000.0; }
double Sound::duration() const { return d_->player.duration() / 1000.0; }

void Sound::finished(bool completed) {
  if (!playing_) return;
  playing_ = false;
  if (didFinish_) {
    DidFinish run = didFinish_;
    run(*this, completed);
  }
}

}  // namespace kit
