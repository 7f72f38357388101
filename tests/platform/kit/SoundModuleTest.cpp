#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "TestEnvironment.h"
#include "kit/Sound.h"
#include "kit/SoundModule.h"

namespace {

bool mapped(const std::string& library) {
  std::ifstream maps("/proc/self/maps");
  for (std::string line; std::getline(maps, line);)
    if (line.find(library) != std::string::npos) return true;
  return false;
}

}  // namespace

// The audio stack is loaded with the first sound, not with the program: start-up pays nothing
// for it. One test, as the order of the checks is the point.
TEST(SoundModule, TheAudioStackLoadsWithTheFirstSoundAndServesIt) {
  EXPECT_FALSE(mapped("libQt6Multimedia")) << "linked into the program, loaded at start-up";
  EXPECT_FALSE(mapped(kit::kSoundModuleFile));

  const std::string wav = (testenv::freshFolder("sound-module") / "a.wav").string();
  std::ofstream(wav) << "RIFF";
  auto sound = kit::Sound::fromFile(wav);
  ASSERT_NE(sound, nullptr);
  std::string why;
  ASSERT_NE(kit::soundModule(&why), nullptr) << why;
  EXPECT_TRUE(mapped(kit::kSoundModuleFile));
  EXPECT_TRUE(mapped("libQt6Multimedia"));
  // The module answers for the machine; either answer is fine, asking must not fail.
  (void)kit::Sound::hasAudioOutput();
}
