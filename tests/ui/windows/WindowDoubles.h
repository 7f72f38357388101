#pragma once

// Recording stand-ins for what the folder chooser and the root's messages drive: the message
// port and the open panel.

#include <cstdint>
#include <string>
#include <vector>

#include "ui/windows/FolderPanelPort.h"
#include "ui/windows/MessagePort.h"

namespace windows_test {

using Log = std::vector<std::string>;

// Records the messages shown; installs itself for its lifetime.
class FakeMessages : public Quirel_MessagePort {
 public:
  FakeMessages() : previous_(Quirel_MessagePort::install(this)) {}
  ~FakeMessages() override { Quirel_MessagePort::install(previous_); }

  Log shown;
  std::int32_t answer = 1;

  std::int32_t MES_ShowMessageAndNumberMainThreadMode(std::int32_t m, std::int32_t a, std::int32_t b,
                                                      std::int32_t c) override {
    return record("message", m, a, b, c);
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode(std::int32_t m, std::int32_t a, std::int32_t b,
                                                              std::int32_t c) override {
    return record("network", m, a, b, c);
  }
  std::int32_t MES_NetworkErrorMessageAndNumberMainThreadMode2(std::int32_t m, std::int32_t a, std::int32_t b,
                                                               std::int32_t c) override {
    return record("network2", m, a, b, c);
  }

 private:
  std::int32_t record(const char* kind, std::int32_t m, std::int32_t a, std::int32_t b, std::int32_t c) {
    shown.push_back(std::string(kind) + ":" + std::to_string(m) + "," + std::to_string(a) + "," + std::to_string(b) +
                    "," + std::to_string(c));
    return answer;
  }
  Quirel_MessagePort* previous_;
};

class FakePanel : public Quirel_FolderPanelPort {
 public:
  std::string title, okTitle;
  bool okEnabled = true;
  int okRuns = 0;
  void setTitle(const std::string& t) override { title = t; }
  bool setOkButtonTitle(const std::string& t) override {
    okTitle = t;
    return true;
  }
  void setOkButtonEnabled(bool e) override { okEnabled = e; }
  void performOk() override { ++okRuns; }
};

}  // namespace windows_test
