#pragma once

#include "ui/controls/CTRLS_TextField.h"

// The file-name field of the preferences' save tab; committing it reports it.
class Quirel_CTRLS_PREFFileNameTextF : public Quirel_CTRLS_TextField {
 public:
  static constexpr const char* kChangePost = "PrefSaveFileNameTextFPost";
  Quirel_CTRLS_PREFFileNameTextF();
  void setText(const std::string& text, double x, double y, double width, double height);
  Quirel_StringField* getTitle() const { return getTextF(); }
  void FileNameTextFieldAction();
};
