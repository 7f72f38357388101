#include "ui/frontdoor/ScanEndSound.h"

#include <algorithm>

#include "foundation/RunLoop.h"
#include "kit/Sound.h"
#include "ui/base/FileManager.h"
#include "ui/model/PreferenceInfo.h"

namespace {

class KitScanSoundPlayer : public Quirel_ScanEndSound::Player {
 public:
  explicit KitScanSoundPlayer(std::unique_ptr<kit::Sound> sound) : sound_(std::move(sound)) {}
  bool play() override { return sound_->play(); }
  void stop() override { sound_->stop(); }
  bool isPlaying() const override { return sound_->isPlaying(); }
  double currentTime() const override { return sound_->currentTime(); }
  void setDidFinish(std::function<void()> finished) override {
    sound_->setDidFinishHandler([finished = std::move(finished)](kit::Sound&, bool) {
      if (finished) finished();
    });
  }

 private:
  std::unique_ptr<kit::Sound> sound_;
};

std::unique_ptr<Quirel_ScanEndSound::Player> makeKitScanSoundPlayer(const std::string& path) {
  std::unique_ptr<kit::Sound> sound = kit::Sound::fromFile(path, true);
  if (!sound) return nullptr;
  return std::make_unique<KitScanSoundPlayer>(std::move(sound));
}

std::shared_ptr<fnd::Timer> scheduleScanSoundTimer(double seconds, bool repeats, fnd::Timer::Callback callback) {
  return fnd::Timer::scheduled(seconds, repeats, std::move(callback),
                               fnd::ModeSet(fnd::RunLoopMode::Default) | fnd::RunLoopMode::EventTracking);
}

}  // namespace

Quirel_ScanEndSound::Quirel_ScanEndSound() : mFactory(makeKitScanSoundPlayer), mScheduler(scheduleScanSoundTimer) {}

Quirel_ScanEndSound::~Quirel_ScanEndSound() {
  *mSelf = nullptr;
  if (mScanSoundTimer) mScanSoundTimer->invalidate();
  cancelRelease();
  if (mScanSound && mScanSound->isPlaying()) mScanSound->stop();
}

void Quirel_ScanEndSound::setPlayerFactory(PlayerFactory factory) {
  mFactory = factory ? std::move(factory) : PlayerFactory(makeKitScanSoundPlayer);
}

void Quirel_ScanEndSound::setTimerScheduler(TimerScheduler scheduler) {
  mScheduler = scheduler ? std::move(scheduler) : TimerScheduler(scheduleScanSoundTimer);
}

std::optional<std::string> Quirel_ScanEndSound::playableSoundPath(const Quirel_PreferenceInfo* preferences) {
  if (!preferences || !preferences->getSound()) return std::nullopt;
  const std::optional<std::string> path = preferences->getSoundPath();
  if (!path || path->empty()) return std::nullopt;
  if (!Quirel_FileManager().isEnabledFile(*path, true, true)) return std::nullopt;
  return path;
}

void Quirel_ScanEndSound::setScanSoundTimer(const Quirel_PreferenceInfo* preferences) {
  stopScanSound();
  if (!playableSoundPath(preferences)) return;
  mScanSoundTimer = mScheduler(kTimerSeconds, true, [self = mSelf](fnd::Timer&) {
    if (*self) (*self)->scanSoundTimerAction();
  });
}

void Quirel_ScanEndSound::startScanSound(const Quirel_PreferenceInfo* preferences) {
  // A sound still under way goes first, now.
  cancelRelease();
  releaseSound();
  const std::optional<std::string> path = playableSoundPath(preferences);
  if (!path) return;
  mSoundTimerCount = 0;
  mScanSound = mFactory(*path);
  if (!mScanSound) return;
  mSoundStop = false;
  mScanSound->setDidFinish([self = mSelf] {
    if (*self) (*self)->soundDidFinishPlaying();
  });
  // Without an audio output the play fails and the did-finish handler says so: silence.
  mScanSound->play();
}

void Quirel_ScanEndSound::scanSoundTimerAction() {
  if (!mScanSound) return;
  ++mSoundTimerCount;
  if (mSoundTimerCount < 2) return;
  releaseSound();
  if (mScanSoundTimer) {
    mScanSoundTimer->invalidate();
    mScanSoundTimer.reset();
  }
}

void Quirel_ScanEndSound::stopScanSound() {
  if (mScanSoundTimer) {
    mScanSoundTimer->invalidate();
    mScanSoundTimer.reset();
  }
  if (!mScanSound) return;
  const double played = mScanSound->currentTime();
  if (mSoundStop || !mScanSound->isPlaying() || played >= kMinPlaySeconds) {
    cancelRelease();
    releaseSound();
    return;
  }
  // Let the rest of its first 2 seconds play, then stop it, without waiting here.
  if (mReleaseTimer) return;
  mReleaseTimer = mScheduler(std::max(0.0, kMinPlaySeconds - played), false, [self = mSelf](fnd::Timer&) {
    if (!*self) return;
    (*self)->mReleaseTimer.reset();
    (*self)->releaseSound();
  });
}

void Quirel_ScanEndSound::releaseSound() {
  if (!mScanSound) return;
  // The did-finish handler of a stop must not reach a sound being released.
  std::unique_ptr<Player> sound = std::move(mScanSound);
  if (sound->isPlaying()) sound->stop();
}

void Quirel_ScanEndSound::cancelRelease() {
  if (!mReleaseTimer) return;
  mReleaseTimer->invalidate();
  mReleaseTimer.reset();
}
