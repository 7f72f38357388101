#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../../support/TestEnvironment.h"
#include "foundation/RunLoop.h"
#include "ui/frontdoor/ScanEndSound.h"
#include "ui/model/PreferenceInfo.h"

namespace {

// A sound whose clock the test moves.
struct FakeSoundState {
  int plays = 0;
  int stops = 0;
  bool playing = false;
  double time = 0;
  bool released = false;
  std::function<void()> finished;
};

class FakeSoundPlayer : public Quirel_ScanEndSound::Player {
 public:
  explicit FakeSoundPlayer(std::shared_ptr<FakeSoundState> s) : s_(std::move(s)) {}
  ~FakeSoundPlayer() override { s_->released = true; }
  bool play() override {
    ++s_->plays;
    s_->playing = true;
    s_->time = 0;
    return true;
  }
  void stop() override {
    ++s_->stops;
    s_->playing = false;
    if (s_->finished) s_->finished();
  }
  bool isPlaying() const override { return s_->playing; }
  double currentTime() const override { return s_->time; }
  void setDidFinish(std::function<void()> finished) override { s_->finished = std::move(finished); }

 private:
  std::shared_ptr<FakeSoundState> s_;
};

// Timers the test fires by hand instead of a clock.
struct HandTimers {
  struct Made {
    double seconds;
    bool repeats;
    std::shared_ptr<fnd::Timer> timer;
  };
  std::vector<Made> made;
  Quirel_ScanEndSound::TimerScheduler scheduler() {
    return [this](double seconds, bool repeats, fnd::Timer::Callback callback) {
      auto timer = fnd::Timer::create(seconds, repeats, std::move(callback));
      made.push_back({seconds, repeats, timer});
      return timer;
    };
  }
};

struct ScanSoundFixture : ::testing::Test {
  void SetUp() override {
    const auto dir = testenv::freshFolder("scan-sound");
    soundFile = (dir / "end.wav").string();
    std::ofstream(soundFile) << "RIFF";
    prefs.setSound(true);
    prefs.setSoundPath(soundFile);
    sound.setTimerScheduler(timers.scheduler());
    sound.setPlayerFactory([this](const std::string& path) -> std::unique_ptr<Quirel_ScanEndSound::Player> {
      paths.push_back(path);
      state = std::make_shared<FakeSoundState>();
      return std::make_unique<FakeSoundPlayer>(state);
    });
  }
  std::string soundFile;
  Quirel_PreferenceInfo prefs;
  HandTimers timers;
  std::vector<std::string> paths;
  std::shared_ptr<FakeSoundState> state;
  Quirel_ScanEndSound sound;
};

}  // namespace

TEST_F(ScanSoundFixture, ALongSoundStopsAtTheSecondTimerFiring) {
  sound.setScanSoundTimer(&prefs);
  ASSERT_EQ(timers.made.size(), 1u);
  EXPECT_TRUE(timers.made[0].repeats);
  EXPECT_DOUBLE_EQ(timers.made[0].seconds, 2.0);
  sound.startScanSound(&prefs);
  ASSERT_TRUE(state);
  EXPECT_EQ(paths, std::vector<std::string>{soundFile});
  EXPECT_TRUE(state->playing);
  timers.made[0].timer->fire();
  state->time = 2;
  EXPECT_TRUE(state->playing);
  EXPECT_TRUE(sound.hasSound());
  timers.made[0].timer->fire();
  state->time = 4;
  EXPECT_FALSE(state->playing);
  EXPECT_TRUE(state->released);
  EXPECT_FALSE(timers.made[0].timer->isValid());
}

TEST_F(ScanSoundFixture, StopRightAfterTheStartLetsTwoSecondsPlayWithoutANestedRun) {
  sound.setScanSoundTimer(&prefs);
  sound.startScanSound(&prefs);
  state->time = 0.3;
  const int depth = fnd::RunLoop::main().depth();
  sound.stopScanSound();
  EXPECT_EQ(fnd::RunLoop::main().depth(), depth);
  // Returned at once, the sound still playing; the repeating timer is gone.
  EXPECT_TRUE(state->playing);
  EXPECT_FALSE(timers.made[0].timer->isValid());
  ASSERT_EQ(timers.made.size(), 2u);
  EXPECT_FALSE(timers.made[1].repeats);
  EXPECT_NEAR(timers.made[1].seconds, 1.7, 1e-9);
  state->time = 2;
  timers.made[1].timer->fire();
  EXPECT_FALSE(state->playing);
  EXPECT_TRUE(state->released);
  EXPECT_FALSE(sound.hasSound());
}

TEST_F(ScanSoundFixture, AFinishedSoundIsReleasedAtOnceAndANewStartStopsTheOldFirst) {
  sound.startScanSound(&prefs);
  std::shared_ptr<FakeSoundState> first = state;
  // Ended by itself: the stop releases it without waiting.
  first->playing = false;
  first->finished();
  EXPECT_TRUE(sound.soundStop());
  sound.stopScanSound();
  EXPECT_TRUE(first->released);
  EXPECT_EQ(timers.made.size(), 0u);

  sound.startScanSound(&prefs);
  std::shared_ptr<FakeSoundState> second = state;
  sound.stopScanSound();  // waits for its 2 seconds on a one-shot timer
  ASSERT_EQ(timers.made.size(), 1u);
  sound.startScanSound(&prefs);  // a new start does not wait for it
  EXPECT_TRUE(second->released);
  EXPECT_FALSE(second->playing);
  EXPECT_FALSE(timers.made[0].timer->isValid());
  EXPECT_TRUE(state->playing);
  EXPECT_NE(state, second);
}

TEST_F(ScanSoundFixture, NoSoundWhenOffOrTheFileCannotBeRead) {
  struct Row {
    const char* name;
    bool on;
    std::string path;
  };
  const Row rows[] = {{"off", false, soundFile}, {"no file", true, soundFile + ".missing"}, {"no path", true, ""}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Quirel_PreferenceInfo p;
    p.setSound(r.on);
    p.setSoundPath(r.path);
    sound.setScanSoundTimer(&p);
    sound.startScanSound(&p);
    EXPECT_TRUE(timers.made.empty());
    EXPECT_FALSE(sound.hasSound());
  }
  sound.startScanSound(nullptr);
  EXPECT_FALSE(sound.hasSound());
  EXPECT_TRUE(paths.empty());
}

TEST(ScanEndSoundReal, AFileThatDoesNotPlayEndsSilently) {
  // The real sound on a file that is no sound (and, on CI, no audio output): nothing hangs.
  const auto dir = testenv::freshFolder("scan-sound-real");
  const std::string file = (dir / "broken.wav").string();
  std::ofstream(file) << "not a sound at all";
  Quirel_PreferenceInfo prefs;
  prefs.setSound(true);
  prefs.setSoundPath(file);
  Quirel_ScanEndSound sound;
  sound.setScanSoundTimer(&prefs);
  sound.startScanSound(&prefs);
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.1);
  sound.stopScanSound();
  fnd::RunLoop::main().runFor(fnd::RunLoopMode::Default, 0.1);
  SUCCEED();
}
