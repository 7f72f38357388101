#include "launcher/ICANWSelect.h"

#include <cstdio>

#include "foundation/PropertyList.h"

Zorvik_ICANWSelect Zorvik_ICANWSelect::initWithContentsOfURL(const std::string& path) {
  fnd::PropertyList::Result r = fnd::PropertyList::readFile(path);
  if (!r.ok() || !r.value->isDictionary()) return Zorvik_ICANWSelect();
  return Zorvik_ICANWSelect(&r.value->toDictionary());
}

Zorvik_ICANWSelect::Zorvik_ICANWSelect(const fnd::Dictionary* dictionary) {
  if (!dictionary) return;
  if (dictionary->contains("nwAllPush")) nwAllPush_ = dictionary->boolean("nwAllPush");
  for (const fnd::Value& entry : dictionary->array("nwDevices")) {
    if (entry.isDictionary()) nwDevices_.emplace_back(&entry.toDictionary());
  }
}

Zorvik_ICANWSelect Zorvik_ICANWSelect::initWithAppleEventDescriptor(const fnd::Value& descriptor) {
  Zorvik_ICANWSelect selection;
  const fnd::Value& items = descriptor[0];
  if (!items.isArray() || items.toArray().size() < 2 || !items[0].isNumber() || !items[1].isArray()) return selection;
  selection.nwAllPush_ = items[0].toBool();
  for (const fnd::Value& form : items[1].toArray()) {
    selection.nwDevices_.push_back(Zorvik_ICADevice::initWithAppleEventDescriptor(form));
  }
  return selection;
}

bool Zorvik_ICANWSelect::writeToURL(const std::string& path) const {
  return fnd::PropertyList::writeFile(fnd::Value(dictionaryRepresentation()), path);
}

fnd::Dictionary Zorvik_ICANWSelect::dictionaryRepresentation() const {
  fnd::Array devices;
  for (const Zorvik_ICADevice& d : nwDevices_) devices.emplace_back(d.dictionaryRepresentation());
  fnd::Dictionary out;
  out.set("nwAllPush", nwAllPush_);
  out.set("nwDevices", std::move(devices));
  return out;
}

fnd::Value Zorvik_ICANWSelect::appleEventDescriptorRepresentation() const {
  fnd::Array forms;
  for (const Zorvik_ICADevice& d : nwDevices_) forms.push_back(d.appleEventDescriptorRepresentation());
  return fnd::Value(fnd::Array{fnd::Value(fnd::Array{nwAllPush_, fnd::Value(std::move(forms))})});
}

const Zorvik_ICADevice* Zorvik_ICANWSelect::deviceWithBonjourName(const std::string& name) const {
  for (const Zorvik_ICADevice& d : nwDevices_) {
    if (d.bonjourName() == name) return &d;
  }
  return nullptr;
}

bool Zorvik_ICANWSelect::updateNWPushLatest(const Zorvik_ICANWSelect* previous) {
  bool result = false;
  for (Zorvik_ICADevice& d : nwDevices_) {
    result = d.updateNWPushLatest(previous ? previous->deviceWithBonjourName(d.bonjourName()) : nullptr);
  }
  return result;
}

bool Zorvik_ICANWSelect::updateNWPull(const Zorvik_ICANWSelect* previous) {
  // A device whose pull was switched on since the previous selection keeps it; pull on any
  // other device is an old choice and goes off.
  bool switchedOff = false;
  for (Zorvik_ICADevice& d : nwDevices_) {
    if (!d.nwPull()) continue;
    const Zorvik_ICADevice* before = previous ? previous->deviceWithBonjourName(d.bonjourName()) : nullptr;
    if (!before || !before->nwPull()) continue;
    d.setNwPull(false);
    switchedOff = true;
  }
  return switchedOff;
}

std::string Zorvik_ICANWSelect::description() const {
  char head[96];
  std::snprintf(head, sizeof head, "<Sulvar_ICANWSelect: %p nwAllPush: %d nwDevices: (", static_cast<const void*>(this),
                nwAllPush_ ? 1 : 0);
  std::string out = head;
  for (std::size_t i = 0; i < nwDevices_.size(); ++i) {
    if (i) out += ", ";
    out += nwDevices_[i].description();
  }
  return out + ")>";
}
