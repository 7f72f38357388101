// Device records of the sibling utility, screen frames and the value transformers.
#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "capture/ScannerDevice.h"
#include "kit/Image.h"
#include "launcher/AppDelegate.h"
#include "launcher/CGImageRefToNSImageTransformer.h"
#include "launcher/ConnectDevice.h"
#include "launcher/DisplayManager.h"
#include "launcher/ICADevice.h"
#include "launcher/ICANWSelect.h"
#include "launcher/deviceNmaeToDisplayTransformer.h"

namespace {

Zorvik_ICADevice sampleDevice(const std::string& bonjour, bool pull, bool push) {
  Zorvik_ICADevice d;
  d.setModelName("TS-800");
  d.setBonjourName(bonjour);
  d.setNwConnect(true);
  d.setNwPull(pull);
  d.setNwPush(push);
  d.setNwPushLatest(fnd::Date{1714550430});
  d.setInterface(1);
  d.setUuid("UUID-" + bonjour);
  d.setUsbLocationID(0x14100000);
  return d;
}

TEST(ICADevice, DictionaryAndListFormsRoundTrip) {
  const Zorvik_ICADevice d = sampleDevice("Office", true, false);
  const fnd::Dictionary dict = d.dictionaryRepresentation();
  EXPECT_EQ(dict.string("modelName"), "TS-800");
  EXPECT_TRUE(dict.get("nwConnect").isBool());
  EXPECT_TRUE(dict.get("nwPushLatest").isString());
  const Zorvik_ICADevice back(&dict);
  EXPECT_EQ(back.dictionaryRepresentation(), dict);

  const fnd::Value list = d.appleEventDescriptorRepresentation();
  ASSERT_EQ(list.toArray().size(), 1u);
  ASSERT_EQ(list[0].toArray().size(), 9u);
  const Zorvik_ICADevice fromList = Zorvik_ICADevice::initWithAppleEventDescriptor(list);
  EXPECT_EQ(fromList.dictionaryRepresentation(), dict);
  EXPECT_TRUE(fromList.isLAN());
  EXPECT_FALSE(fromList.isUSB());
}

TEST(ICADevice, AListMissingAnItemKeepsEveryDefault) {
  fnd::Array items = sampleDevice("Office", true, true).appleEventDescriptorRepresentation()[0].toArray();
  items.pop_back();
  const Zorvik_ICADevice d = Zorvik_ICADevice::initWithAppleEventDescriptor(fnd::Value(fnd::Array{fnd::Value(items)}));
  EXPECT_EQ(d.dictionaryRepresentation(), Zorvik_ICADevice().dictionaryRepresentation());
  EXPECT_EQ(d.interface(), -1);
  EXPECT_EQ(Zorvik_ICADevice::initWithAppleEventDescriptor(fnd::Value()).interface(), -1);
}

TEST(ICADevice, DatesParseOnlyInTheirFormat) {
  auto date = Zorvik_ICADevice::convertDateFromString("2024-05-01T10:20:30+0200");
  ASSERT_TRUE(date);
  EXPECT_EQ(date->seconds, 1714558830 - 7200);  // 10:20:30 at +02:00 is 08:20:30 UTC
  for (const char* bad : {"", "2024-05-01 10:20:30+0200", "2024-05-01T10:20:30", "2024-13-01T10:20:30+0000",
                          "2024-05-01T10:20:30+02", "yesterday", "2024-05-01T10:20:30+0200x"}) {
    EXPECT_FALSE(Zorvik_ICADevice::convertDateFromString(bad)) << bad;
  }
  const fnd::Date now{1714551630};
  EXPECT_EQ(Zorvik_ICADevice::convertDateFromString(Zorvik_ICADevice::convertStringFromDate(now)), now);
  fnd::Dictionary dict{{"nwPushLatest", "not a date"}};
  EXPECT_FALSE(Zorvik_ICADevice(&dict).nwPushLatest());
}

TEST(ICADevice, PushDateAndOrder) {
  Zorvik_ICADevice d = sampleDevice("A", false, true);
  d.setNwPushLatest(std::nullopt);
  const Zorvik_ICADevice pushedBefore = sampleDevice("A", false, true);
  EXPECT_FALSE(d.updateNWPushLatest(&pushedBefore));
  EXPECT_FALSE(d.nwPushLatest());
  EXPECT_TRUE(d.updateNWPushLatest(nullptr));
  EXPECT_TRUE(d.nwPushLatest());
  Zorvik_ICADevice off = sampleDevice("A", false, false);
  EXPECT_FALSE(off.updateNWPushLatest(nullptr));

  Zorvik_ICADevice older = sampleDevice("O", false, true), newer = sampleDevice("N", false, true);
  older.setNwPushLatest(fnd::Date{100});
  newer.setNwPushLatest(fnd::Date{200});
  EXPECT_EQ(newer.compareByDate(older), -1);
  EXPECT_EQ(older.compareByDate(newer), 1);
  EXPECT_EQ(older.compareByDate(older), 0);
  EXPECT_NE(newer.description().find("bonjourName: N"), std::string::npos);
  EXPECT_EQ(newer.description().find("usbLocationID"), std::string::npos);
}

TEST(ICANWSelect, PullStaysOnForTheNewlyPulledDeviceOnly) {
  Zorvik_ICANWSelect before;
  before.setNwDevices({sampleDevice("A", true, false), sampleDevice("B", false, false)});
  Zorvik_ICANWSelect now;
  now.setNwDevices({sampleDevice("A", true, false), sampleDevice("B", true, false), sampleDevice("C", false, true)});
  EXPECT_TRUE(now.updateNWPull(&before));
  EXPECT_FALSE(now.nwDevices()[0].nwPull());
  EXPECT_TRUE(now.nwDevices()[1].nwPull());
  // Nothing to switch off the second time.
  EXPECT_FALSE(now.updateNWPull(&before));
}

TEST(ICANWSelect, PullSelectionTable) {
  // Each row: pull per device before ('-' absent), pull per device now, pull expected after, answer.
  struct Row {
    const char* before;
    const char* now;
    const char* after;
    bool answer;
  };
  const Row rows[] = {
      {"10-", "111", "011", true},  // two newly pulled devices both keep pull
      {"11", "11", "00", true},     // nothing new: every old pull goes off
      {"00", "11", "11", false},    // both new
      {"", "101", "101", false},    // no previous selection: all new
      {"01", "01", "00", true},
      {"10", "00", "00", false},
      {"0-1", "111", "110", true},
  };
  const char* names[] = {"A", "B", "C"};
  for (const Row& r : rows) {
    Zorvik_ICANWSelect before, now;
    std::vector<Zorvik_ICADevice> old, current;
    for (std::size_t i = 0; r.before[i]; ++i) {
      if (r.before[i] != '-') old.push_back(sampleDevice(names[i], r.before[i] == '1', false));
    }
    for (std::size_t i = 0; r.now[i]; ++i) current.push_back(sampleDevice(names[i], r.now[i] == '1', false));
    before.setNwDevices(old);
    now.setNwDevices(current);
    EXPECT_EQ(now.updateNWPull(*r.before ? &before : nullptr), r.answer) << r.before << " " << r.now;
    std::string after;
    for (const Zorvik_ICADevice& d : now.nwDevices()) after += d.nwPull() ? '1' : '0';
    EXPECT_EQ(after, r.after) << r.before << " " << r.now;
  }
}

TEST(ICANWSelect, FileAndListFormsRoundTrip) {
  Zorvik_ICANWSelect s;
  s.setNwAllPush(false);
  s.setNwDevices({sampleDevice("A", true, false), sampleDevice("B", false, true)});
  const std::string path = (testenv::freshFolder("nwselect") / "NWSelect.plist").string();
  ASSERT_TRUE(s.writeToURL(path));
  const Zorvik_ICANWSelect read = Zorvik_ICANWSelect::initWithContentsOfURL(path);
  EXPECT_EQ(read.dictionaryRepresentation(), s.dictionaryRepresentation());
  const Zorvik_ICANWSelect fromList = Zorvik_ICANWSelect::initWithAppleEventDescriptor(s.appleEventDescriptorRepresentation());
  EXPECT_EQ(fromList.dictionaryRepresentation(), s.dictionaryRepresentation());
  EXPECT_TRUE(Zorvik_ICANWSelect::initWithContentsOfURL(path + ".missing").nwAllPush());
  EXPECT_FALSE(s.writeToURL("/proc/no/such/folder/file.plist"));
}

TEST(ConnectDevice, DefaultsAndDictionaryForm) {
  const Zorvik_ConnectDevice none;
  EXPECT_EQ(none.interface(), -1);
  const Zorvik_ConnectDevice d("TS-800", 0, fnd::Date{1000});
  const Zorvik_ConnectDevice back(d.dictionaryRepresentation());
  EXPECT_EQ(back.modelName(), "TS-800");
  EXPECT_EQ(back.interface(), 0);
  EXPECT_EQ(back.connectLatest(), fnd::Date{1000});
}

TEST(DisplayManager, DefaultAndAdjustedFrames) {
  const Zorvik_DisplayManager dm(fnd::Rect{{0, 0}, {1000, 800}}, fnd::Rect{{0, 40}, {1000, 760}});
  // Smaller than 90 % by 95 %: that box, centred.
  EXPECT_EQ(dm.getDefaultWindowFrame({400, 300}), (fnd::Rect{{50, 40 + 19}, {900, 722}}));
  // Larger: the size itself at the left and top edges.
  EXPECT_EQ(dm.getDefaultWindowFrame({950, 780}), (fnd::Rect{{0, 40 + 760 - 780}, {950, 780}}));
  // A frame hanging off the right and bottom comes back in.
  EXPECT_EQ(dm.getAdjustmentWindowFrame({100, 100}, fnd::Rect{{900, 0}, {300, 200}}),
            (fnd::Rect{{700, 40}, {300, 200}}));
  // Wider than the screen: the screen's width at its left edge.
  EXPECT_EQ(dm.getAdjustmentWindowFrame({100, 100}, fnd::Rect{{-50, 100}, {1500, 200}}),
            (fnd::Rect{{0, 100}, {1000, 200}}));
  // Never below the minimum, even on a small screen.
  EXPECT_EQ(dm.getAdjustmentWindowFrame({1200, 900}, fnd::Rect{{10, 0}, {300, 200}}),
            (fnd::Rect{{0, 40 + 760 - 900}, {1200, 900}}));
  EXPECT_EQ(Zorvik_DisplayManager(fnd::Rect{}, fnd::Rect{}).getVisibleDisplayFrame(), fnd::Rect{});
}

TEST(ValueTransformers, RegisteredByNameWithTheirAnswers) {
  Zorvik_AppDelegate::initialize();
  Zorvik_ValueTransformer* names = Zorvik_ValueTransformer::valueTransformerForName("MyDeviceName");
  Zorvik_ValueTransformer* images = Zorvik_ValueTransformer::valueTransformerForName("NSImageFromCGImage");
  ASSERT_TRUE(names);
  ASSERT_TRUE(images);
  EXPECT_FALSE(names->allowsReverseTransformation());
  EXPECT_EQ(names->transformedValue(fnd::Value()).toString(), "Unknown Device");
  capture::DeviceDefinition def;
  def.name = "Vantrel TS-800 Virtual";
  auto device = capture::ScannerDevice::create(def);
  EXPECT_EQ(names->transformedValue(fnd::Value::object(device)).toString(), "Vantrel TS-800 Virtual");
  EXPECT_TRUE(images->transformedValue(fnd::Value()).isNull());
  const std::uint8_t rgb[] = {255, 0, 0, 0, 255, 0};
  auto picture = std::make_shared<kit::Image>(kit::Image::fromRGB(rgb, 2, 1));
  auto made = images->transformedValue(fnd::Value::object(picture)).toObject<kit::Image>();
  ASSERT_TRUE(made);
  EXPECT_EQ(made->pixelsWide(), 2);
  EXPECT_EQ(made->pixelsHigh(), 1);
}

}  // namespace
