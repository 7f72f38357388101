#pragma once

#include <functional>
#include <string>

namespace kit {

// The audio side of Sound. It lives in a module of its own (libkitsound.so, beside kit), loaded
// the first time a sound is asked for, so that starting a program does not load the audio stack
// and the many libraries behind it.
class SoundPlayer {
 public:
  // Runs on the main thread when a play ends: completed false with a reason when it failed.
  using Ended = std::function<void(bool completed, const std::string& error)>;
  virtual ~SoundPlayer() = default;
  // Starts path from its beginning; false with a reason when it cannot start.
  virtual bool play(const std::string& path, std::string* error) = 0;
  virtual void stop() = 0;
  virtual double position() const = 0;
  virtual double duration() const = 0;
  virtual void setEndedHandler(Ended ended) = 0;
};

// What the module exports under kSoundModuleEntry.
struct SoundModule {
  bool (*hasAudioOutput)();
  SoundPlayer* (*makePlayer)();
};

inline constexpr const char* kSoundModuleEntry = "kit_sound_module";
inline constexpr const char* kSoundModuleFile = "libkitsound.so";

// The loaded module, or null (with why) when it cannot be loaded; loaded once per process.
const SoundModule* soundModule(std::string* why = nullptr);

}  // namespace kit
