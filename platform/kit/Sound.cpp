#include "kit/Sound.h"

#include <QObject>
#include <QTimer>
#include <filesystem>

#include "kit/SoundModule.h"

namespace kit {

struct Sound::Impl {
  // Null when the audio module could not be loaded.
  std::unique_ptr<SoundPlayer> player;
  // Owns the queued "finished" calls so that none runs after the sound is gone.
  QObject context;
};

std::unique_ptr<Sound> Sound::fromFile(const std::string& path, bool) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return nullptr;
  return std::unique_ptr<Sound>(new Sound(path));
}

bool Sound::hasAudioOutput() {
  const SoundModule* module = soundModule();
  return module && module->hasAudioOutput();
}

Sound::Sound(std::string path) : d_(std::make_unique<Impl>()), path_(std::move(path)) {
  if (const SoundModule* module = soundModule()) d_->player.reset(module->makePlayer());
  if (d_->player)
    d_->player->setEndedHandler([this](bool completed, const std::string& error) {
      if (!completed) error_ = error;
      finished(completed);
    });
}

Sound::~Sound() {
  // No handler runs for a sound that is going away.
  didFinish_ = nullptr;
  if (d_->player) d_->player->stop();
}

bool Sound::play() {
  error_.clear();
  std::string why;
  const SoundModule* module = soundModule(&why);
  if (!module || !d_->player || !module->hasAudioOutput()) {
    // Nothing can be heard: say so, and still end the play, so that waiters are not left
    // waiting for a finish that never comes.
    error_ = module && d_->player ? "no audio output device" : why;
    playing_ = true;
    QTimer::singleShot(0, &d_->context, [this] { finished(false); });
    return false;
  }
  if (playing_) d_->player->stop();
  playing_ = true;
  if (!d_->player->play(path_, &error_)) {
    playing_ = false;
    return false;
  }
  return true;
}

bool Sound::stop() {
  if (!playing_) return false;
  if (d_->player) d_->player->stop();
  finished(false);
  return true;
}

bool Sound::isPlaying() const { return playing_; }
double Sound::currentTime() const { return d_->player ? d_->player->position() : 0; }
double Sound::duration() const { return d_->player ? d_->player->duration() : 0; }

void Sound::finished(bool completed) {
  if (!playing_) return;
  playing_ = false;
  if (didFinish_) {
    DidFinish run = didFinish_;
    run(*this, completed);
  }
}

}  // namespace kit
