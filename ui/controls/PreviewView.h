#pragma once

#include <memory>
#include <optional>

#include "foundation/Geometry.h"
#include "foundation/Value.h"
#include "kit/Image.h"
#include "ui/controls/ResponderView.h"

class Quirel_NoFocusTextField;

// The preview image of the main window. It draws the image through the owner's transform,
// scaled to fit the view, and turns every mouse and key gesture into a notification for the
// scan mode that owns the window; it interprets none itself.
class Quirel_PreviewView : public Quirel_ResponderView {
 public:
  static constexpr const char* kMouseEventPost = "MouseEventOnPreviewPost";
  static constexpr const char* kDeleteKeyPost = "deleteKeyDownOnPreviewPost";
  static constexpr const char* kMouseExitedPost = "MouseExitedOnPreviewPost";
  static constexpr const char* kUpdateCursorRectsPost = "PreviewViewUpdateCursorRectsPost";
  static constexpr const char* kViewDownPost = "VIEW_DOWN";
  static constexpr const char* kEventKey = "event";

  explicit Quirel_PreviewView(const fnd::Rect& frame = {});
  ~Quirel_PreviewView() override;
  static std::unique_ptr<Quirel_PreviewView> initForStandardMode();
  static std::unique_ptr<Quirel_PreviewView> initForExtendMode();

  // Posts name with a copy of the event under "event", for the press, then each drag and the
  // closing release, tracked by the view's own loop. Shared with the frame around the preview.
  // Extra entries go with every post.
  static void postMouseStream(kit::View& view, const char* name, const kit::Event& down,
                              const fnd::Dictionary& extra = {});
  // One post of name with a copy of the event under "event", plus the extra entries.
  // Draws the whole image at the origin through the transform, into the current context.
  static void drawImageThrough(const kit::Image& image, const fnd::AffineTransform& transform);
  static void postWithEvent(const char* name, const void* sender, const kit::Event& event,
                            const fnd::Dictionary& extra = {});

  int mode() const { return mMode; }
  // The label shown while there is no image; the owner also adds it as a subview.
  void setTextField(Quirel_NoFocusTextField* field) { mTextF = field; }
  void setPreviewImage(std::optional<kit::Image> image) { mImage = std::move(image); }
  const std::optional<kit::Image>& getPreviewImage() const { return mImage; }
  void removePreviewImage();
  // Keeps a copy of the owner's transform (rotation and translation already in it) and scales
  // the copy so that the image fills the view; the caller's transform is left as it was.
  void setTransform(const fnd::AffineTransform& transform, int rotation);
  const std::optional<fnd::AffineTransform>& transform() const { return mTransform; }
  double scaleX() const { return mScaleX; }
  double scaleY() const { return mScaleY; }
  int rotation() const { return mRotation; }

  void keyDown(const kit::Event& event) override;
  void mouseDown(const kit::Event& event) override;
  void mouseExited(const kit::Event& event) override;
  void mouseEntered(const kit::Event& event) override;
  void drawRect(const fnd::Rect& dirty) override;
  bool acceptsFirstResponder() const override { return true; }
  void resetCursorRects() override;

  void setDownOnOff(bool on) { mDownOnOff = on; }
  bool downOnOff() const { return mDownOnOff; }
  void setEnabled(bool enabled) { mEnabled = enabled; }
  bool isEnabled() const { return mEnabled; }
  bool isEntered() const { return mEntered; }

 private:
  bool hasDrawableImage() const;
  void computeScales();
  void placeTextField();

  int mMode = 0;
  std::optional<kit::Image> mImage;
  std::optional<fnd::AffineTransform> mTransform;
  double mScaleX = -1.0;
  double mScaleY = -1.0;
  int mRotation = 0;
  Quirel_NoFocusTextField* mTextF = nullptr;
  bool mDownOnOff = true;
  bool mEntered = true;
  bool mEnabled = true;
};
