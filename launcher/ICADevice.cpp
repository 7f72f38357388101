#include "launcher/ICADevice.h"

#include <cctype>
#include <cstdio>
#include <ctime>

#include "capture/ScannerDevice.h"
#include "foundation/StringFormat.h"

namespace {

std::string addressText(const void* p) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%p", p);
  return buffer;
}

// Reads exactly `count` digits at text[pos].
bool readDigits(const std::string& text, std::size_t& pos, int count, int& out) {
  out = 0;
  for (int i = 0; i < count; ++i, ++pos) {
    if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) return false;
    out = out * 10 + (text[pos] - '0');
  }
  return true;
}

bool expect(const std::string& text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

Zorvik_ICADevice::Zorvik_ICADevice(const fnd::Dictionary* dictionary) {
  if (!dictionary) return;
  const fnd::Dictionary& d = *dictionary;
  _modelName = d.string("modelName");
  _bonjourName = d.string("bonjourName");
  _nwConnect = d.boolean("nwConnect");
  _nwPull = d.boolean("nwPull");
  _nwPush = d.boolean("nwPush");
  _nwPushLatest = convertDateFromString(d.string("nwPushLatest"));
  if (d.contains("interface")) _interface = d.integer("interface");
  _uuid = d.string("uuid");
  _usbLocationID = d.intValue("usbLocationID");
}

Zorvik_ICADevice Zorvik_ICADevice::initWithAppleEventDescriptor(const fnd::Value& descriptor) {
  Zorvik_ICADevice device;
  const fnd::Value& items = descriptor[0];
  if (!items.isArray() || items.toArray().size() < 9) return device;
  const fnd::Array& v = items.toArray();
  // All nine must be there with their kinds, or the record keeps its defaults.
  if (!v[0].isString() || !v[1].isString() || !v[2].isNumber() || !v[3].isNumber() || !v[4].isNumber() ||
      !v[5].isString() || !v[6].isNumber() || !v[7].isString() || !v[8].isNumber()) {
    return device;
  }
  device._modelName = v[0].toString();
  device._bonjourName = v[1].toString();
  device._nwConnect = v[2].toBool();
  device._nwPull = v[3].toBool();
  device._nwPush = v[4].toBool();
  device._nwPushLatest = convertDateFromString(v[5].toString());
  device._interface = v[6].toInt();
  device._uuid = v[7].toString();
  device._usbLocationID = v[8].toInt();
  return device;
}

void Zorvik_ICADevice::setInterfaceWithICDevice(const capture::ScannerDevice& device) {
  _interface = device.transportType() == capture::TransportType::TCPIP ? 1 : 0;
}

fnd::Dictionary Zorvik_ICADevice::dictionaryRepresentation() const {
  fnd::Dictionary d;
  d.set("modelName", _modelName);
  d.set("bonjourName", _bonjourName);
  d.set("nwConnect", _nwConnect);
  d.set("nwPull", _nwPull);
  d.set("nwPush", _nwPush);
  if (_nwPushLatest) d.set("nwPushLatest", convertStringFromDate(*_nwPushLatest));
  d.set("interface", static_cast<long long>(_interface));
  d.set("uuid", _uuid);
  d.set("usbLocationID", _usbLocationID);
  return d;
}

fnd::Value Zorvik_ICADevice::appleEventDescriptorRepresentation() const {
  fnd::Array items{_modelName,
                   _bonjourName,
                   _nwConnect,
                   _nwPull,
                   _nwPush,
                   _nwPushLatest ? convertStringFromDate(*_nwPushLatest) : std::string(),
                   static_cast<std::int32_t>(_interface),
                   _uuid,
                   _usbLocationID};
  return fnd::Value(fnd::Array{fnd::Value(std::move(items))});
}

bool Zorvik_ICADevice::updateNWPushLatest(const Zorvik_ICADevice* previous) {
  if (previous && previous->_nwPush) return false;
  if (!_nwPush) return false;
  _nwPushLatest = fnd::Date::now();
  return true;
}

std::optional<fnd::Date> Zorvik_ICADevice::convertDateFromString(const std::string& text) {
  std::size_t pos = 0;
  std::tm tm{};
  int year, month, day, hour, minute, second, offH, offM;
  if (!readDigits(text, pos, 4, year) || !expect(text, pos, '-') || !readDigits(text, pos, 2, month) ||
      !expect(text, pos, '-') || !readDigits(text, pos, 2, day) || !expect(text, pos, 'T') ||
      !readDigits(text, pos, 2, hour) || !expect(text, pos, ':') || !readDigits(text, pos, 2, minute) ||
      !expect(text, pos, ':') || !readDigits(text, pos, 2, second)) {
    return std::nullopt;
  }
  if (pos >= text.size() || (text[pos] != '+' && text[pos] != '-')) return std::nullopt;
  const int sign = text[pos++] == '-' ? -1 : 1;
  if (!readDigits(text, pos, 2, offH) || !readDigits(text, pos, 2, offM) || pos != text.size()) return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60 || offM > 59) {
    return std::nullopt;
  }
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  const std::time_t utc = timegm(&tm);
  return fnd::Date{static_cast<double>(utc - sign * (offH * 3600 + offM * 60))};
}

std::string Zorvik_ICADevice::convertStringFromDate(fnd::Date date) {
  const std::time_t t = static_cast<std::time_t>(date.seconds);
  std::tm local{};
  localtime_r(&t, &local);
  const long offset = local.tm_gmtoff;
  const long absOffset = offset < 0 ? -offset : offset;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld%02ld", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, offset < 0 ? '-' : '+',
                absOffset / 3600, (absOffset % 3600) / 60);
  return buffer;
}

int Zorvik_ICADevice::compareByDate(const Zorvik_ICADevice& other) const {
  if (!_nwPushLatest && !other._nwPushLatest) return 0;
  if (!_nwPushLatest) return 1;
  if (!other._nwPushLatest) return -1;
  const double mine = _nwPushLatest->seconds, theirs = other._nwPushLatest->seconds;
  if (theirs < mine) return -1;
  if (theirs > mine) return 1;
  return 0;
}

std::string Zorvik_ICADevice::description() const {
  return "<Sulvar_ICADevice: " + addressText(this) +
         fnd::formatString(" modelName: %@ bonjourName: %@ nwConnect: %d nwPull: %d nwPush: %d nwPushLatest: %@ "
                           "interface: %d uuid: %@>",
                           fnd::Array{_modelName, _bonjourName, _nwConnect ? 1 : 0, _nwPull ? 1 : 0, _nwPush ? 1 : 0,
                                      _nwPushLatest ? fnd::Value(convertStringFromDate(*_nwPushLatest)) : fnd::Value(),
                                      static_cast<long long>(_interface), _uuid});
}
