// Drawing: paths with their stroke attributes, the recording context, the Qt painter context,
// colours, fonts and pictures.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "TestEnvironment.h"
#include "kit/BezierPath.h"
#include "kit/Color.h"
#include "kit/Cursor.h"
#include "kit/Font.h"
#include "kit/Image.h"
#include "kit/PainterContext.h"
#include "kit/QtBridge.h"
#include "kit/RecordingContext.h"

using fnd::Point;
using fnd::Rect;
using kit::BezierPath;
using kit::Color;
using kit::DrawOperation;
using kit::LineCapStyle;
using kit::RecordingContext;

namespace {

// Draws the four edges of a rectangle one segment at a time, as a blinking crop frame does.
void strokeDashedEdges(const Rect& r, double phase, LineCapStyle cap, double dash) {
  const Point corners[4][2] = {{{r.minX(), r.minY()}, {r.minX(), r.maxY()}},
                               {{r.minX(), r.maxY()}, {r.maxX(), r.maxY()}},
                               {{r.minX(), r.minY()}, {r.maxX(), r.minY()}},
                               {{r.maxX(), r.minY()}, {r.maxX(), r.maxY()}}};
  BezierPath path;
  path.setLineDash({dash, dash}, phase);
  path.setLineCapStyle(cap);
  for (const auto& edge : corners) {
    path.moveTo(edge[0]);
    path.lineTo(edge[1]);
    path.stroke();
    path.removeAllPoints();
  }
}

}  // namespace

TEST(RecordingContext, KeepsDashPhaseCapsAndAntialiasingOfEachStroke) {
  struct Case {
    double phase;
    LineCapStyle cap;
    double dash;
  };
  const Case cases[] = {{0.0, LineCapStyle::Square, 4.0}, {3.0, LineCapStyle::Square, 4.0}, {0.0, LineCapStyle::Butt, 1.5}};
  for (const Case& c : cases) {
    RecordingContext ctx;
    kit::GraphicsContext::Scope scope(&ctx);
    ctx.setShouldAntialias(false);
    Color::black().set();
    strokeDashedEdges(Rect(0.8, 0.8, 98.4, 48.4), c.phase, c.cap, c.dash);
    auto strokes = ctx.strokes();
    ASSERT_EQ(strokes.size(), 4u);
    for (const DrawOperation& op : strokes) {
      EXPECT_EQ(op.path.lineDashPhase(), c.phase);
      EXPECT_EQ(op.path.lineCapStyle(), c.cap);
      EXPECT_EQ(op.path.lineDash(), (std::vector<double>{c.dash, c.dash}));
      EXPECT_EQ(op.path.lineWidth(), 1.0);
      EXPECT_FALSE(op.state.antialias);
      EXPECT_EQ(op.state.strokeColor, Color::black());
    }
    // The first edge is the left one, drawn upwards.
    auto pts = strokes[0].devicePoints();
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_DOUBLE_EQ(pts[0].x, 0.8);
    EXPECT_DOUBLE_EQ(pts[0].y, 0.8);
    EXPECT_DOUBLE_EQ(pts[1].x, 0.8);
    EXPECT_NEAR(pts[1].y, 49.2, 1e-9);
  }
}

TEST(RecordingContext, SaveRestoreAndTransformsApplyInUserSpace) {
  RecordingContext ctx;
  kit::GraphicsContext::Scope scope(&ctx);
  ctx.saveGraphicsState();
  ctx.translate(10, 20);
  ctx.scale(2, 3);
  Color::red().setFill();
  BezierPath::fillRect(Rect(1, 1, 2, 2));
  ctx.restoreGraphicsState();
  ctx.restoreGraphicsState();  // unbalanced: ignored
  BezierPath::fillRect(Rect(1, 1, 2, 2));
  auto fills = ctx.fills();
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].devicePoints()[0], (Point{12, 23}));
  EXPECT_EQ(fills[0].state.fillColor, Color::red());
  EXPECT_EQ(fills[1].devicePoints()[0], (Point{1, 1}));
  EXPECT_EQ(fills[1].state.fillColor, Color::black());

  ctx.clear();
  ctx.rotateByDegrees(90);
  BezierPath::fillRect(Rect(1, 0, 1, 1));
  Point p = ctx.fills()[0].devicePoints()[0];
  EXPECT_NEAR(p.x, 0.0, 1e-9);
  EXPECT_NEAR(p.y, 1.0, 1e-9);
}

TEST(RecordingContext, NothingIsDrawnWithoutACurrentContext) {
  ASSERT_EQ(kit::GraphicsContext::current(), nullptr);
  Color::black().set();
  BezierPath::fillRect(Rect(0, 0, 1, 1));  // must not crash
  RecordingContext outer;
  {
    kit::GraphicsContext::Scope a(&outer);
    RecordingContext inner;
    {
      kit::GraphicsContext::Scope b(&inner);
      EXPECT_EQ(kit::GraphicsContext::current(), &inner);
    }
    EXPECT_EQ(kit::GraphicsContext::current(), &outer);
  }
  EXPECT_EQ(kit::GraphicsContext::current(), nullptr);
}

TEST(PainterContext, RgbBufferDrawsUprightWithItsTopRowAtTheTop) {
  // 3 x 2: top row red, green, blue; bottom row white, black, grey.
  const std::uint8_t rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 128, 128, 128};
  kit::Image image = kit::Image::fromRGB(rgb, 3, 2);
  ASSERT_TRUE(image.isValid());
  EXPECT_EQ(image.size(), (fnd::Size{3, 2}));
  EXPECT_EQ(image.colorAtPixel(2, 0), Color::blue());

  for (bool flipped : {false, true}) {
    QImage canvas(6, 4, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    kit::PainterContext ctx(&painter, Rect(0, 0, 6, 4), flipped);
    kit::GraphicsContext::Scope scope(&ctx);
    ctx.setShouldAntialias(false);
    // Bottom-left quarter (y up) or top-left (flipped), scaled 1:1.
    image.drawInRect(Rect(0, 0, 3, 2));
    painter.end();
    int top = flipped ? 0 : 2;
    EXPECT_EQ(canvas.pixelColor(0, top), QColor(255, 0, 0)) << flipped;
    EXPECT_EQ(canvas.pixelColor(1, top), QColor(0, 255, 0)) << flipped;
    EXPECT_EQ(canvas.pixelColor(2, top), QColor(0, 0, 255)) << flipped;
    EXPECT_EQ(canvas.pixelColor(0, top + 1), QColor(255, 255, 255)) << flipped;
    EXPECT_EQ(canvas.pixelColor(1, top + 1), QColor(0, 0, 0)) << flipped;
    EXPECT_EQ(canvas.pixelColor(2, top + 1), QColor(128, 128, 128)) << flipped;
    EXPECT_EQ(canvas.pixelColor(4, top).alpha(), 0) << flipped;
  }
  EXPECT_FALSE(kit::Image::fromRGB(nullptr, 3, 2).isValid());
  EXPECT_FALSE(kit::Image::fromRGB(rgb, 0, 2).isValid());
}

TEST(PainterContext, AnRgbPictureMadeInTheOneItReplacesIsTheSameAndLeavesSharedPicturesAlone) {
  // 5 x 3 with every byte different, so a swapped channel or a shifted row shows.
  std::vector<std::uint8_t> first(5 * 3 * 3), second(5 * 3 * 3);
  for (std::size_t i = 0; i < first.size(); ++i) {
    first[i] = static_cast<std::uint8_t>(i * 7);
    second[i] = static_cast<std::uint8_t>(250 - i * 5);
  }
  const kit::Image fresh = kit::Image::fromRGB(second.data(), 5, 3);
  // Nothing else holds the replaced picture: its pixels are used, and hold the new picture.
  kit::Image replaced = kit::Image::fromRGB(first.data(), 5, 3);
  const kit::bridge::ImageData* storage = replaced.data();
  const kit::Image made = kit::Image::fromRGB(second.data(), 5, 3, std::move(replaced));
  EXPECT_EQ(made.data(), storage);
  EXPECT_EQ(made.copyRGB(), second);
  EXPECT_EQ(made.data()->image, fresh.data()->image);
  // Held elsewhere too, or of another size: a picture of its own; the held one is unchanged.
  kit::Image held = kit::Image::fromRGB(first.data(), 5, 3);
  const kit::Image keeper = held;
  const kit::Image apart = kit::Image::fromRGB(second.data(), 5, 3, std::move(held));
  EXPECT_NE(apart.data(), keeper.data());
  EXPECT_EQ(keeper.copyRGB(), first);
  EXPECT_EQ(apart.copyRGB(), second);
  const kit::Image resized = kit::Image::fromRGB(second.data(), 3, 5, kit::Image::fromRGB(first.data(), 5, 3));
  EXPECT_EQ(resized.copyRGB(), second);
  EXPECT_EQ(resized.size(), (fnd::Size{3, 5}));
  EXPECT_FALSE(kit::Image::fromRGB(nullptr, 5, 3, kit::Image::fromRGB(first.data(), 5, 3)).isValid());
}

TEST(PainterContext, OpacityAndSourceRectangle) {
  const std::uint8_t rgb[] = {255, 0, 0, 0, 0, 255};  // 2 x 1: red, blue
  kit::Image image = kit::Image::fromRGB(rgb, 2, 1);
  QImage canvas(4, 4, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  kit::PainterContext ctx(&painter, Rect(0, 0, 4, 4), false);
  kit::GraphicsContext::Scope scope(&ctx);
  ctx.setShouldAntialias(false);
  // The right half of the picture (blue) over the whole canvas at half opacity.
  image.drawInRect(Rect(0, 0, 4, 4), Rect(1, 0, 1, 1), 0.5);
  painter.end();
  QColor c = canvas.pixelColor(2, 2);
  EXPECT_NEAR(c.red(), 128, 2);
  EXPECT_NEAR(c.green(), 128, 2);
  EXPECT_EQ(c.blue(), 255);
}

TEST(PainterContext, DashPhaseShiftsTheDashesAndCapsExtendThem) {
  auto row = [](double phase, LineCapStyle cap, double width = 1.0) {
    QImage canvas(20, 3, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    kit::PainterContext ctx(&painter, Rect(0, 0, 20, 3), false);
    kit::GraphicsContext::Scope scope(&ctx);
    ctx.setShouldAntialias(false);
    Color::black().set();
    BezierPath p;
    p.setLineDash({4, 4}, phase);
    p.setLineCapStyle(cap);
    p.setLineWidth(width);
    p.moveTo({0, 1.5});
    p.lineTo({20, 1.5});
    p.stroke();
    painter.end();
    std::string s;
    for (int x = 0; x < 20; ++x) s += canvas.pixelColor(x, 1) == QColor(Qt::black) ? '#' : '.';
    return s;
  };
  EXPECT_EQ(row(0, LineCapStyle::Butt), "####....####....####");
  EXPECT_EQ(row(3, LineCapStyle::Butt), "#....####....####...");
  // Square caps add half the line width at each end of every dash (width 2: one pixel).
  std::string butt = row(0, LineCapStyle::Butt, 2);
  std::string square = row(0, LineCapStyle::Square, 2);
  EXPECT_EQ(butt, "####....####....####");
  EXPECT_GT(std::count(square.begin(), square.end(), '#'), std::count(butt.begin(), butt.end(), '#') + 3);
  EXPECT_EQ(square[4], '#');
}

TEST(Color, NamedAndSystemColours) {
  EXPECT_EQ(Color::gray(), Color::calibratedWhite(0.5));
  EXPECT_NEAR(Color::lightGray().redComponent(), 2.0 / 3.0, 1e-9);
  EXPECT_NEAR(Color::darkGray().redComponent(), 1.0 / 3.0, 1e-9);
  EXPECT_EQ(Color::blue(), Color::calibratedRGB(0, 0, 1));
  EXPECT_EQ(Color::clear().alphaComponent(), 0.0);
  EXPECT_EQ(Color::calibratedRGB(2, -1, 0.5).redComponent(), 1.0);
  EXPECT_NE(Color::controlText(), Color::disabledControlText());
  EXPECT_NE(Color::controlHighlight(), Color::controlShadow());
  Color c = Color::calibratedRGB(0.192f, 0.388f, 0.612f);
  EXPECT_NEAR(c.greenComponent(), 0.388, 1e-6);
}

TEST(Font, MeasuresOneLineAndWrappedText) {
  kit::Font f = kit::Font::systemFont(13);
  EXPECT_EQ(f.pointSize(), 13);
  EXPECT_EQ(kit::Font::systemFont(0).pointSize(), kit::Font::systemFontSize());
  EXPECT_TRUE(kit::Font::boldSystemFont(14).isBold());
  EXPECT_EQ(kit::Font::labelFont(0).pointSize(), kit::Font::labelFontSize());
  double one = f.widthOfString("Scan");
  double two = f.widthOfString("Scan Scan");
  EXPECT_GT(one, 0);
  EXPECT_GT(two, 2 * one);
  EXPECT_GT(kit::Font::boldSystemFont(13).widthOfString("Scan"), 0);
  EXPECT_GT(kit::Font::systemFont(26).widthOfString("Scan"), 1.8 * one);
  // A text twice as wide as the column takes at least two lines.
  std::string text = "The scanner could not be found on the network";
  double width = f.widthOfString(text);
  double line = f.heightForWidth("x", 1000);
  EXPECT_NEAR(line, f.lineHeight(), 0.01);
  EXPECT_GE(f.heightForWidth(text, width / 2 + 1), 2 * line - 0.01);
  EXPECT_LE(f.heightForWidth(text, width + 5), line + 0.01);
  // An unbreakable word still wraps at characters.
  EXPECT_GE(f.heightForWidth("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 30), 3 * line - 0.01);
}

TEST(Image, FoundByNameWhateverTheExtension) {
  namespace fs = std::filesystem;
  fs::path res = testenv::freshFolder("res");
  fs::create_directories(res / "pictures" / "cursors");
  QImage small(4, 2, QImage::Format_RGB32);
  small.fill(Qt::red);
  ASSERT_TRUE(small.save(QString::fromStdString((res / "pictures" / "CursHand.png").string())));
  small.fill(Qt::blue);
  ASSERT_TRUE(small.save(QString::fromStdString((res / "pictures" / "cursors" / "CursHand.png").string())));
  ASSERT_TRUE(small.save(QString::fromStdString((res / "Top&Other.png").string())));
  std::ofstream(res / "pictures" / "Broken.png") << "not a picture";
  const char* old = std::getenv("TRIVOLAN_RESOURCE_DIR");
  std::string saved = old ? old : "";
  setenv("TRIVOLAN_RESOURCE_DIR", res.c_str(), 1);

  kit::Image a = kit::Image::named("CursHand.tif");
  ASSERT_TRUE(a.isValid());
  EXPECT_EQ(a.size(), (fnd::Size{4, 2}));
  EXPECT_EQ(a.colorAtPixel(0, 0), Color::red());
  EXPECT_EQ(kit::Image::named("CursHand").colorAtPixel(0, 0), Color::red());
  EXPECT_EQ(kit::Image::named("CursHand.tiff", "cursors").colorAtPixel(0, 0), Color::blue());
  EXPECT_TRUE(kit::Image::named("Top&Other.icns").isValid());
  EXPECT_FALSE(kit::Image::named("Missing.png").isValid());
  EXPECT_FALSE(kit::Image::named("Broken.png").isValid());
  EXPECT_FALSE(kit::Image::named("").isValid());
  EXPECT_FALSE(kit::Image::fromFile((res / "nothing.png").string()).isValid());

  std::string out = (res / "out.png").string();
  ASSERT_TRUE(a.writePng(out));
  EXPECT_EQ(kit::Image::fromFile(out).colorAtPixel(3, 1), Color::red());
  EXPECT_FALSE(kit::Image().writePng(out));
  setenv("TRIVOLAN_RESOURCE_DIR", saved.c_str(), 1);
}

// The scan module hands its result pictures over as TIFF files: kit reads them like any other.
TEST(Image, ReadsTiffFiles) {
  const std::filesystem::path folder = testenv::freshFolder("kit-tiff");
  QImage picture(6, 3, QImage::Format_RGB888);
  picture.fill(Qt::blue);
  picture.setPixelColor(5, 2, Qt::red);
  const std::string path = (folder / "result.tif").string();
  ASSERT_TRUE(picture.save(QString::fromStdString(path), "TIFF")) << "no TIFF support in the image plug-ins";
  const kit::Image read = kit::Image::fromFile(path);
  ASSERT_TRUE(read.isValid());
  EXPECT_EQ(read.size(), (fnd::Size{6, 3}));
  EXPECT_EQ(read.colorAtPixel(0, 0), Color::blue());
  EXPECT_EQ(read.colorAtPixel(5, 2), Color::red());
}

TEST(Cursor, StandardAndPictureCursors) {
  kit::Cursor::crosshair().set();
  EXPECT_EQ(kit::Cursor::current(), kit::Cursor::crosshair());
  EXPECT_EQ(kit::Cursor::crosshair().image().size(), (fnd::Size{16, 16}));
  const std::uint8_t rgb[16 * 16 * 3] = {};
  kit::Image img = kit::Image::fromRGB(rgb, 16, 16);
  kit::Cursor custom(img, {3, 14});
  custom.set();
  EXPECT_EQ(kit::Cursor::current(), custom);
  EXPECT_EQ(kit::Cursor::current().hotSpot(), (Point{3, 14}));
  kit::Cursor::arrow().set();
  EXPECT_EQ(kit::Cursor::current().kind(), kit::Cursor::Kind::Arrow);
}

TEST(ImagePixels, CopyRGBIsPackedWhateverTheStoredLayout) {
  // 301 pixels wide: three bytes a pixel leaves each stored row padded.
  const int w = 301, h = 3;
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>((i * 7) % 251);
  int cw = -1, ch = -1;
  EXPECT_EQ(kit::Image::fromRGB(rgb.data(), w, h).copyRGB(&cw, &ch), rgb);
  EXPECT_EQ(cw, w);
  EXPECT_EQ(ch, h);

  // A picture with an alpha channel, read from a file, comes back as its opaque colours.
  QImage argb(5, 2, QImage::Format_ARGB32);
  argb.fill(QColor(10, 20, 30, 255));
  argb.setPixelColor(4, 1, QColor(200, 100, 50, 255));
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "kit-copyrgb-alpha.png";
  ASSERT_TRUE(argb.save(QString::fromStdString(file.string())));
  const std::vector<std::uint8_t> packed = kit::Image::fromFile(file.string()).copyRGB(&cw, &ch);
  std::filesystem::remove(file);
  ASSERT_EQ(packed.size(), 5u * 2 * 3);
  EXPECT_EQ(cw, 5);
  EXPECT_EQ(ch, 2);
  EXPECT_EQ((std::vector<std::uint8_t>(packed.begin(), packed.begin() + 3)), (std::vector<std::uint8_t>{10, 20, 30}));
  EXPECT_EQ((std::vector<std::uint8_t>(packed.end() - 3, packed.end())), (std::vector<std::uint8_t>{200, 100, 50}));

  EXPECT_TRUE(kit::Image().copyRGB(&cw, &ch).empty());
  EXPECT_EQ(cw, 0);
  EXPECT_EQ(ch, 0);
}
