#pragma once

// Kept, tested and with no caller in this program: no network-scanner selector is started here.

#include <string>
#include <vector>

#include "foundation/Value.h"
#include "launcher/ICADevice.h"

// The sibling scan utility's network choices: push for all devices, and the devices with
// their own push and pull settings. Stored as a property list (the dictionary form).
class Zorvik_ICANWSelect {
 public:
  Zorvik_ICANWSelect() = default;
  // From a property-list file; a missing or unreadable file gives the defaults.
  static Zorvik_ICANWSelect initWithContentsOfURL(const std::string& path);
  explicit Zorvik_ICANWSelect(const fnd::Dictionary* dictionary);
  // The list form: a list whose first item holds nwAllPush and the list of device forms.
  // A form that does not have both keeps the defaults.
  static Zorvik_ICANWSelect initWithAppleEventDescriptor(const fnd::Value& descriptor);

  // Writes the dictionary form atomically; true on success.
  bool writeToURL(const std::string& path) const;
  fnd::Dictionary dictionaryRepresentation() const;
  fnd::Value appleEventDescriptorRepresentation() const;

  // Each device against the previous selection's device of the same network name (or none);
  // answers the last device's result.
  bool updateNWPushLatest(const Zorvik_ICANWSelect* previous);
  // Pull scanning stays on for one device: the one newly switched on since the previous
  // selection (else the first that has it on); every other device loses it. True when any
  // device lost it.
  bool updateNWPull(const Zorvik_ICANWSelect* previous);

  std::string description() const;

  bool nwAllPush() const { return nwAllPush_; }
  void setNwAllPush(bool on) { nwAllPush_ = on; }
  const std::vector<Zorvik_ICADevice>& nwDevices() const { return nwDevices_; }
  std::vector<Zorvik_ICADevice>& nwDevices() { return nwDevices_; }
  void setNwDevices(std::vector<Zorvik_ICADevice> devices) { nwDevices_ = std::move(devices); }

 private:
  const Zorvik_ICADevice* deviceWithBonjourName(const std::string& name) const;

  bool nwAllPush_ = true;
  std::vector<Zorvik_ICADevice> nwDevices_;
};
