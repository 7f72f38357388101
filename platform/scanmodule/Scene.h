#pragma once

#include <cstdint>
#include <vector>

namespace velmor {

// A colour with components from 0 (dark) to 1 (bright).
struct Rgb {
  double r = 0, g = 0, b = 0;
};

// What lies in front of the simulated sensor: the platen with documents on it, one page of the
// document feeder, or a film strip. Everything is procedural and depends only on the scene's
// parameters, so two renders of the same area give the same bytes.
//
// Coordinates are inches from the top-left corner of the scene.
class Scene {
 public:
  enum class DocumentKind { Photo, TextPage, ColourPatches, GreyRamp, FilmFrame };
  struct Document {
    DocumentKind kind;
    double x, y, width, height;  // inches
    std::uint32_t seed;
  };

  // The platen of the given size with a few documents laid on it.
  static Scene platen(double widthInch, double heightInch);
  // Page `index` (from 0) of the document feeder, a page of the given size.
  static Scene feederPage(double widthInch, double heightInch, int index);
  // A strip of 35 mm frames in the film holder.
  static Scene filmStrip(int frames);

  double width() const { return width_; }
  double height() const { return height_; }
  const std::vector<Document>& documents() const { return documents_; }

  // The one rectangle that just encloses every document (inches); all zero without documents.
  struct Area {
    double x = 0, y = 0, width = 0, height = 0;
  };
  Area documentsArea() const;

  // The colour seen at a point; outside the scene the lid (or the holder) shows.
  Rgb colourAt(double x, double y) const;

  // Size and gap of one film frame, inches.
  // The most frames a film strip holds: more than a whole roll. A device file asking for more
  // gets this many, so a hostile count never decides how much memory a strip takes.
  static constexpr int kMaxFilmFrames = 40;
  static constexpr double kFrameWidth = 1.42;
  static constexpr double kFrameHeight = 0.94;
  static constexpr double kFrameGap = 0.14;
  static constexpr double kStripHeight = 1.38;

 private:
  Scene(double w, double h, Rgb background, bool film) : width_(w), height_(h), background_(background), film_(film) {}

  double width_;
  double height_;
  Rgb background_;
  bool film_;
  std::vector<Document> documents_;
};

}  // namespace velmor
