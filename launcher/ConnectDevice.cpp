#include "launcher/ConnectDevice.h"

Zorvik_ConnectDevice::Zorvik_ConnectDevice(const fnd::Dictionary& dictionary) {
  _modelName = dictionary.string("modelName");
  if (dictionary.contains("interface")) _interface = dictionary.integer("interface");
  if (const fnd::Value* date = dictionary.find("connectLatest"); date && date->isDate()) _connectLatest = date->toDate();
}

fnd::Dictionary Zorvik_ConnectDevice::dictionaryRepresentation() const {
  fnd::Dictionary d;
  d.set("modelName", _modelName);
  d.set("interface", static_cast<long long>(_interface));
  if (_connectLatest) d.set("connectLatest", *_connectLatest);
  return d;
}
