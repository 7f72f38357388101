#pragma once

#include <functional>
#include <memory>
#include <string>

namespace kit {

// A sound file played through the default audio output. Made from a file by reference (the
// file is read when played). The did-finish handler runs once per play on the main thread:
// finishedPlaying true at the end of the sound, false when stopped or when playing failed.
// Where the machine has no audio output, or the file cannot be decoded, play() or the
// handler report it and error() says what went wrong.
class Sound {
 public:
  using DidFinish = std::function<void(Sound&, bool finishedPlaying)>;

  // Null when the file does not exist.
  static std::unique_ptr<Sound> fromFile(const std::string& path, bool byReference = true);
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  const std::string& path() const { return path_; }
  // Starts from the beginning; false when it cannot start (see error()).
  bool play();
  // Stops; the handler hears finishedPlaying false. False when it was not playing.
  bool stop();
  bool isPlaying() const;
  // Seconds played so far, and the length once known (0 before).
  double currentTime() const;
  double duration() const;
  void setDidFinishHandler(DidFinish handler) { didFinish_ = std::move(handler); }
  const std::string& error() const { return error_; }
  // Whether the machine has any audio output device.
  static bool hasAudioOutput();

 private:
  explicit Sound(std::string path);
  void finished(bool completed);
  struct Impl;
  std::unique_ptr<Impl> d_;
  std::string path_;
  std::string error_;
  DidFinish didFinish_;
  bool playing_ = false;
};

}  // namespace kit
