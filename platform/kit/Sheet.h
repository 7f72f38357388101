#pragma once

#include <functional>

namespace kit {

class Window;

// A window shown as a sheet of another: it sits above the parent (a child window at a higher
// level), centred on the parent's top edge, until it is ended with a code, which goes to the
// completion handler. One sheet per parent at a time. While it is up, presses on the parent's
// views go nowhere.
class Sheet {
 public:
  // False when the parent already has a sheet.
  static bool begin(Window& sheet, Window& parent, std::function<void(int)> completion);
  // Orders the sheet out and calls its completion with the code; nothing when it is no sheet.
  static void end(Window& sheet, int code);
  // The parent's sheet, or null.
  static Window* attachedSheet(const Window& parent);
  static Window* parentOfSheet(const Window& sheet);
};

}  // namespace kit
