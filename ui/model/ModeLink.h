#pragma once

// The common root of the scan modes as the model sees them. The modes live in a layer above the
// model, so the model reaches them only through these small interfaces, which the modes
// implement; a mode object handed around untyped (the settings carrier, the preview model's
// last-request fields) is one of these.
class ModeLink {
 public:
  virtual ~ModeLink() = default;

 protected:
  ModeLink() = default;
  ModeLink(const ModeLink&) = default;
  ModeLink& operator=(const ModeLink&) = default;
};
