#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "foundation/Timer.h"

class Quirel_PreferenceInfo;

// The user's scan-end sound. It plays for at most two periods of a 2-second timer. Stopping
// it never waits: a sound already under way gets to play its first 2 seconds, then a one-shot
// timer stops and releases it, so nothing runs a nested loop while the caller holds its locks.
// Where the machine has no audio output or the file does not play, nothing is heard and
// nothing else changes. Main thread only.
class Quirel_ScanEndSound {
 public:
  static constexpr double kTimerSeconds = 2.0;
  // What stopping lets a started sound play at least.
  static constexpr double kMinPlaySeconds = 2.0;

  // A sound being played; the real one is kit::Sound.
  class Player {
   public:
    virtual ~Player() = default;
    virtual bool play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
    virtual double currentTime() const = 0;
    // Runs when a play ends, also when it was stopped or failed.
    virtual void setDidFinish(std::function<void()> finished) = 0;
  };
  // Makes the player of a file (null when it cannot).
  using PlayerFactory = std::function<std::unique_ptr<Player>(const std::string& path)>;
  // Schedules a timer on the main loop for the default and the event-tracking mode.
  using TimerScheduler =
      std::function<std::shared_ptr<fnd::Timer>(double seconds, bool repeats, fnd::Timer::Callback callback)>;

  Quirel_ScanEndSound();
  ~Quirel_ScanEndSound();
  Quirel_ScanEndSound(const Quirel_ScanEndSound&) = delete;
  Quirel_ScanEndSound& operator=(const Quirel_ScanEndSound&) = delete;

  // Stand-ins (tests); null goes back to the real ones.
  void setPlayerFactory(PlayerFactory factory);
  void setTimerScheduler(TimerScheduler scheduler);

  // The file to play when the preferences ask for a sound and the file can be read; none else.
  static std::optional<std::string> playableSoundPath(const Quirel_PreferenceInfo* preferences);

  // Stops what plays, then arms the repeating timer when there is a sound to play.
  void setScanSoundTimer(const Quirel_PreferenceInfo* preferences);
  // Plays the preferences' sound (after stopping one that still exists).
  void startScanSound(const Quirel_PreferenceInfo* preferences);
  void stopScanSound();
  void scanSoundTimerAction();
  void soundDidFinishPlaying() { mSoundStop = true; }

  // Tests.
  bool hasSound() const { return mScanSound != nullptr; }
  bool soundStop() const { return mSoundStop; }
  int timerCount() const { return mSoundTimerCount; }
  const std::shared_ptr<fnd::Timer>& timer() const { return mScanSoundTimer; }
  const std::shared_ptr<fnd::Timer>& releaseTimer() const { return mReleaseTimer; }

 private:
  void releaseSound();
  void cancelRelease();

  PlayerFactory mFactory;
  TimerScheduler mScheduler;
  std::unique_ptr<Player> mScanSound;
  std::shared_ptr<fnd::Timer> mScanSoundTimer;
  std::shared_ptr<fnd::Timer> mReleaseTimer;
  int mSoundTimerCount = 0;
  bool mSoundStop = false;
  // Shared with the sound's did-finish handler, which may come after this object is gone.
  std::shared_ptr<Quirel_ScanEndSound*> mSelf = std::make_shared<Quirel_ScanEndSound*>(this);
};
