#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/controls/CTRLS_PopupButton.h"

// One variant of a pop-up's menu: titles with the numbers their items will carry, filled once
// by the owner and shown by emptying the menu and adding the kept items in list order.
class Quirel_CTRLS_PopupItemList {
 public:
  struct Item {
    std::string title;
    int number = 0;
  };

  void add(const std::string& title, int number) { mItems.push_back({title, number}); }
  bool empty() const { return mItems.empty(); }
  const std::vector<Item>& items() const { return mItems; }
  // Empties the pop-up's menu and adds every item that `keep` accepts (all without one).
  void showIn(Quirel_CTRLS_PopupButton& popup, const std::function<bool(int number)>& keep = {}) const;

 private:
  std::vector<Item> mItems;
};
