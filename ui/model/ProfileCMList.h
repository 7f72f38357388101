#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/model/ProfileCM.h"

// The colour-profile lists of one main window: the driver's default source-profile paths (in the
// order reflective, negative, positive) and the source and target profiles built from the
// installed ones. Each list is absent until it is set, so a list built once is not built again.
class Quirel_ProfileCMList {
 public:
  using Profiles = std::vector<Quirel_ProfileCM>;

  void setDefaultInputProfilePathList(std::optional<std::vector<std::string>> paths) {
    mDefaultInputProfilePathList = std::move(paths);
  }
  const std::optional<std::vector<std::string>>& getDefaultInputProfilePathList() const {
    return mDefaultInputProfilePathList;
  }
  void setInputProfileList(std::optional<Profiles> list) { mInputProfileList = std::move(list); }
  const std::optional<Profiles>& getInputProfileList() const { return mInputProfileList; }
  void setOutputProfileList(std::optional<Profiles> list) { mOutputProfileList = std::move(list); }
  const std::optional<Profiles>& getOutputProfileList() const { return mOutputProfileList; }

 private:
  std::optional<std::vector<std::string>> mDefaultInputProfilePathList;
  std::optional<Profiles> mInputProfileList;
  std::optional<Profiles> mOutputProfileList;
};
