#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "foundation/Paths.h"
#include "foundation/PropertyList.h"
#include "ui/model/ImagePlugIn.h"
#include "ui/model/PlugInBundle.h"

namespace {

fnd::Dictionary hslEntry() {
  return fnd::Dictionary{{"Plugin", "HSL.plugin"},
                         {"Factory", PLUGIN_HSL_FACTORY},
                         {"Interface", PLUGIN_HSL_INTERFACE},
                         {"Type", PLUGIN_HSL_TYPE},
                         {"Parameter", ""}};
}

fnd::Dictionary zoomEntry() {
  return fnd::Dictionary{{"Plugin", "Resize.plugin"},
                         {"Factory", PLUGIN_RESIZE_FACTORY},
                         {"Interface", PLUGIN_RESIZE_INTERFACE},
                         {"Type", PLUGIN_RESIZE_TYPE}};
}

UIM_PluginPtr load(const fnd::Dictionary& entry) {
  UIM_PLUGIN* raw = nullptr;
  const int result = UIM_getPlugin(&entry, &raw);
  UIM_PluginPtr plugin(raw);
  EXPECT_EQ(result, 0);
  EXPECT_NE(plugin, nullptr);
  return plugin;
}

struct Rgb {
  int r, g, b;
};

// One 8-bit RGB pixel through the HSL plug-in.
Rgb adjust8(UIM_PLUGIN* plugin, Rgb in, int cr, int mg, int yb, int sat) {
  std::vector<std::uint8_t> image = {std::uint8_t(in.r), std::uint8_t(in.g), std::uint8_t(in.b)};
  UIM_HSL_STATE* state = nullptr;
  EXPECT_EQ(UIM_pHSL_Initialize(plugin, &state, 1, 1, cr, mg, yb, sat, 3, 8), 0);
  if (!state) return in;
  EXPECT_EQ(UIM_pHSL_Set_and_Get_line(state, image.data()), 0);
  UIM_pHSL_Terminate(&state);
  EXPECT_EQ(state, nullptr);
  return {image[0], image[1], image[2]};
}

}  // namespace

TEST(PlugInLoader, HSLPlugInMovesEachAxisAndSaturation) {
  auto plugin = load(hslEntry());
  ASSERT_NE(plugin->interface, nullptr);
  struct Case {
    Rgb in;
    int cr, mg, yb, sat;
    Rgb out;
  } cases[] = {
      {{128, 128, 128}, 100, 0, 0, 0, {255, 128, 128}},   // all the way to red
      {{128, 128, 128}, -100, 0, 0, 0, {0, 128, 128}},    // to cyan
      {{128, 128, 128}, 0, 50, 0, 0, {128, 192, 128}},    // half way to green
      {{128, 128, 128}, 0, -50, 0, 0, {128, 64, 128}},    // to magenta
      {{100, 100, 100}, 0, 0, 20, 0, {100, 100, 126}},    // blue
      {{100, 100, 100}, 0, 0, -20, 0, {100, 100, 75}},    // yellow
      {{200, 100, 50}, 0, 0, 0, -100, {125, 125, 125}},   // no saturation left: grey of equal lightness
      {{128, 128, 128}, 0, 0, 0, 100, {128, 128, 128}},   // grey stays grey
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cr << " " << c.mg << " " << c.yb << " " << c.sat);
    const Rgb out = adjust8(plugin.get(), c.in, c.cr, c.mg, c.yb, c.sat);
    EXPECT_NEAR(out.r, c.out.r, 1);
    EXPECT_NEAR(out.g, c.out.g, 1);
    EXPECT_NEAR(out.b, c.out.b, 1);
  }
  // More saturation spreads the channels apart around the same lightness.
  const Rgb more = adjust8(plugin.get(), {150, 100, 100}, 0, 0, 0, 50);
  EXPECT_GT(more.r, 150);
  EXPECT_LT(more.g, 100);
  EXPECT_EQ(more.g, more.b);
}

TEST(PlugInLoader, HSLAdjustsEveryPixelOf16BitImages) {
  auto plugin = load(hslEntry());
  const int width = 5, height = 3;
  std::vector<std::uint16_t> image(std::size_t(width) * height * 3, 30000);
  UIM_HSL_STATE* state = nullptr;
  ASSERT_EQ(UIM_pHSL_Initialize(plugin.get(), &state, width, height, 0, 0, 40, 0, 3, 16), 0);
  ASSERT_NE(state, nullptr);
  ASSERT_EQ(UIM_pHSL_Set_and_Get_line(state, reinterpret_cast<std::uint8_t*>(image.data())), 0);
  UIM_pHSL_Terminate(&state);
  for (std::size_t i = 0; i < image.size(); i += 3) {
    SCOPED_TRACE(i);
    EXPECT_EQ(image[i], 30000);
    EXPECT_EQ(image[i + 1], 30000);
    EXPECT_EQ(image[i + 2], 30000 + 13107);  // 0.2 of the range
  }
}

TEST(PlugInLoader, HSLWithNothingToDoMakesNoState) {
  auto plugin = load(hslEntry());
  UIM_HSL_STATE* state = reinterpret_cast<UIM_HSL_STATE*>(0x1);
  EXPECT_EQ(UIM_pHSL_Initialize(plugin.get(), &state, 10, 10, 0, 0, 0, 0, 3, 8), 0);
  EXPECT_EQ(state, nullptr);
  UIM_pHSL_Terminate(&state);  // harmless on no state
  // Without a loaded plug-in there is nothing to call.
  UIM_PLUGIN empty;
  EXPECT_EQ(UIM_pHSL_Initialize(&empty, &state, 10, 10, 5, 0, 0, 0, 3, 8), -1);
  EXPECT_EQ(state, nullptr);
}

TEST(PlugInLoader, BadEntriesLoadNothing) {
  struct Case {
    const char* what;
    const char* key;
    fnd::Value value;
    bool remove;
  } cases[] = {
      {"factory not a UUID", "Factory", "3A5CC9B8-FB52-4E2B-8BDD-077BA518D92", false},
      {"type not a UUID", "Type", "not-a-uuid", false},
      {"interface with a bad digit", "Interface", "34F36C5C-B9EC-40D3-ACDF-E2D159CB6F1G", false},
      {"no factory", "Factory", {}, true},
      {"no bundle", "Plugin", {}, true},
      {"bundle missing", "Plugin", "Nothing.plugin", false},
      {"factory of another plug-in", "Factory", PLUGIN_RESIZE_FACTORY, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fnd::Dictionary entry = hslEntry();
    if (c.remove) entry.remove(c.key);
    else entry.set(c.key, c.value);
    UIM_PLUGIN* raw = nullptr;
    EXPECT_EQ(UIM_getPlugin(&entry, &raw), -1);
    UIM_PluginPtr plugin(raw);
    ASSERT_NE(plugin, nullptr);  // handed back for release
    EXPECT_EQ(plugin->loaded, nullptr);
    EXPECT_EQ(plugin->interface, nullptr);
  }
  // An interface the plug-in does not offer: its own answer, nothing loaded.
  fnd::Dictionary entry = hslEntry();
  entry.set("Interface", PLUGIN_RESIZE_INTERFACE);
  UIM_PLUGIN* raw = nullptr;
  const int result = UIM_getPlugin(&entry, &raw);
  UIM_PluginPtr plugin(raw);
  EXPECT_EQ(result, PLUGIN_E_NOINTERFACE);
  EXPECT_EQ(plugin->loaded, nullptr);
  // No dictionary: no record.
  EXPECT_EQ(UIM_getPlugin(nullptr, &raw), -1);
  EXPECT_EQ(raw, nullptr);
  EXPECT_EQ(UIM_load_plugin(nullptr), -1);
}

TEST(PlugInLoader, ResizeShrinksByAveragingAreas) {
  auto plugin = load(zoomEntry());
  const int sw = 1000, sh = 700, dw = 250, dh = 175;
  // Inside every 4 x 4 block red runs 0, 20, 40, 60 across and green down; blue names the block.
  auto pixel = [](int x, int y) {
    return Rgb{(x % 4) * 20, (y % 4) * 20, (x / 4 + y / 4) % 256};
  };
  UIM_RESIZE_STATE* state = nullptr;
  ASSERT_EQ(UIM_resize_Initialize(&state, plugin.get(), dw, dh, sw, sh, 3, 8), 0);
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->bitsPerPixel, 24);
  std::vector<std::uint8_t> line(std::size_t(sw) * 3), out(std::size_t(dw) * 3);
  std::vector<std::vector<std::uint8_t>> rows;
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < sw; ++x) {
      const Rgb p = pixel(x, y);
      line[std::size_t(x) * 3] = std::uint8_t(p.r);
      line[std::size_t(x) * 3 + 1] = std::uint8_t(p.g);
      line[std::size_t(x) * 3 + 2] = std::uint8_t(p.b);
    }
    ASSERT_EQ(UIM_resize_Set_line(state, line.data()), 0);
    while (UIM_resize_Get_line(state, out.data()) == 1) rows.push_back(out);
  }
  UIM_resize_Terminate(&state);
  EXPECT_EQ(state, nullptr);
  ASSERT_EQ(rows.size(), std::size_t(dh));
  for (int y = 0; y < dh; ++y) {
    for (int x = 0; x < dw; ++x) {
      const std::uint8_t* p = &rows[std::size_t(y)][std::size_t(x) * 3];
      ASSERT_EQ(p[0], 30) << x << "," << y;
      ASSERT_EQ(p[1], 30) << x << "," << y;
      ASSERT_EQ(p[2], (x + y) % 256) << x << "," << y;
    }
  }
}

TEST(PlugInLoader, ResizeGrowsBilinearly) {
  auto plugin = load(zoomEntry());
  // One grey line 0, 100 grown to four pixels and two lines; 16-bit grey.
  UIM_RESIZE_STATE* state = nullptr;
  ASSERT_EQ(UIM_resize_Initialize(&state, plugin.get(), 4, 2, 2, 1, 1, 16), 0);
  EXPECT_EQ(state->bitsPerPixel, 16);
  const std::uint16_t src[2] = {0, 1000};
  ASSERT_EQ(UIM_resize_Set_line(state, reinterpret_cast<const std::uint8_t*>(src)), 0);
  std::vector<std::vector<std::uint16_t>> rows;
  std::uint16_t out[4];
  while (UIM_resize_Get_line(state, reinterpret_cast<std::uint8_t*>(out)) == 1) rows.emplace_back(out, out + 4);
  UIM_resize_Terminate(&state);
  ASSERT_EQ(rows.size(), 2u);
  for (const auto& row : rows) EXPECT_EQ(row, (std::vector<std::uint16_t>{0, 250, 750, 1000}));
}

class ProbePlugIn : public testing::Test {
 protected:
  void SetUp() override {
    library_ = dlopen(PROBE_BUNDLE_DIR "/libprobe.so", RTLD_NOW);
    ASSERT_NE(library_, nullptr) << dlerror();
    reset_ = reinterpret_cast<void (*)(int)>(dlsym(library_, "probe_reset"));
    closes_ = reinterpret_cast<int (*)()>(dlsym(library_, "probe_closes"));
    liveHandles_ = reinterpret_cast<int (*)()>(dlsym(library_, "probe_liveHandles"));
    linesGot_ = reinterpret_cast<int (*)()>(dlsym(library_, "probe_linesGot"));
    ASSERT_TRUE(reset_ && closes_ && liveHandles_ && linesGot_);
  }
  void TearDown() override {
    if (library_) dlclose(library_);
  }
  static fnd::Dictionary entry() {
    return fnd::Dictionary{{"Plugin", PROBE_BUNDLE_DIR},
                           {"Factory", "D2A7C1F0-3B4E-4F5A-8C6D-7E8F9A0B1C2D"},
                           {"Interface", "8C8E8B3A-2E55-4B1D-9A57-3C0F6A4D1E21"},
                           {"Type", "5b1a4c2e-7d3f-4e8a-b6c9-0d2e1f3a4b5c"}};
  }

  void* library_ = nullptr;
  void (*reset_)(int) = nullptr;
  int (*closes_)() = nullptr;
  int (*liveHandles_)() = nullptr;
  int (*linesGot_)() = nullptr;
};

TEST_F(ProbePlugIn, FailedSetLineStopsDelivery) {
  reset_(2);
  UIM_PLUGIN* raw = nullptr;
  const fnd::Dictionary e = entry();
  ASSERT_EQ(UIM_getPlugin(&e, &raw), 0);
  UIM_PluginPtr plugin(raw);
  UIM_RESIZE_STATE* state = nullptr;
  ASSERT_EQ(UIM_resize_Initialize(&state, plugin.get(), 4, 5, 4, 5, 3, 8), 0);
  std::vector<std::uint8_t> line(12), out(12);
  int delivered = 0;
  std::vector<int> statuses;
  for (int y = 0; y < 5; ++y) {
    line.assign(12, std::uint8_t(10 + y));
    statuses.push_back(UIM_resize_Set_line(state, line.data()));
    while (UIM_resize_Get_line(state, out.data()) == 1) {
      EXPECT_EQ(out[0], 10 + y);
      ++delivered;
    }
  }
  EXPECT_EQ(statuses, (std::vector<int>{0, 0, 7, 7, 7}));
  EXPECT_EQ(delivered, 2);
  EXPECT_EQ(linesGot_(), 2);  // the plug-in was not asked again after the failure
  UIM_resize_Terminate(&state);
  EXPECT_EQ(liveHandles_(), 0);
}

TEST_F(ProbePlugIn, UnloadingClosesTheInterfaceOnce) {
  reset_(-1);
  UIM_PLUGIN* raw = nullptr;
  const fnd::Dictionary e = entry();
  ASSERT_EQ(UIM_getPlugin(&e, &raw), 0);
  ASSERT_NE(raw->interface, nullptr);
  UIM_unload_plugin(raw);
  EXPECT_EQ(closes_(), 1);
  EXPECT_EQ(raw->interface, nullptr);
  EXPECT_EQ(raw->loaded, nullptr);
  UIM_unload_plugin(raw);  // nothing loaded: nothing to close
  EXPECT_EQ(closes_(), 1);
  // Loaded again and released: closed once more.
  ASSERT_EQ(UIM_load_plugin(raw), 0);
  UIM_releasePlugin(raw);
  EXPECT_EQ(closes_(), 2);
}

TEST(PlugInBundle, FindsBundlesInThePlugInFolderAndParsesIdentifiers) {
  EXPECT_EQ(PlugInBundle::resolvePath("/abs/X.plugin"), "/abs/X.plugin");
  EXPECT_EQ(PlugInBundle::resolvePath("X.plugin"), PlugInBundle::pluginFolder() + "/X.plugin");
  EXPECT_TRUE(PlugInBundle::parseUUID("3a5cc9b8-fb52-4e2b-8bdd-077ba518d920"));
  for (const char* bad : {"", "3A5CC9B8FB524E2B8BDD077BA518D920", "3A5CC9B8-FB52-4E2B-8BDD-077BA518D9200",
                          "3A5CC9B8_FB52-4E2B-8BDD-077BA518D920"}) {
    EXPECT_FALSE(PlugInBundle::parseUUID(bad)) << bad;
  }
}

TEST(PlugInLoader, ModelParametersNameBothPlugIns) {
  const std::filesystem::path models = fnd::Paths::resourceDir() + "/models";
  int files = 0;
  for (const auto& file : std::filesystem::directory_iterator(models)) {
    if (file.path().extension() != ".xml") continue;
    ++files;
    SCOPED_TRACE(file.path().string());
    const auto parameters = fnd::PropertyList::readFile(file.path().string());
    ASSERT_TRUE(parameters.ok()) << parameters.error;
    const fnd::Dictionary& info = parameters.value->toDictionary().dictionary("PluginInfo");
    for (const char* name : {"HSL", "ZOOM"}) {
      SCOPED_TRACE(name);
      ASSERT_TRUE(info.contains(name));
      load(info.dictionary(name));
    }
  }
  EXPECT_GT(files, 0);
}
