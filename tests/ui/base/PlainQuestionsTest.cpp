// The plain questions: a carrier posted for whoever answers, and what comes back.

#include <gtest/gtest.h>

#include "foundation/NotificationCenter.h"
#include "ui/base/PVLanguageNum.h"
#include "ui/base/PVLocalizedBundle.h"

TEST(PlainQuestions, LanguageNumberIsZeroUnansweredAndTheAnswerOtherwise) {
  EXPECT_EQ(Quirel_PVLanguageNum::ask(), 0);
  fnd::NotificationCenter::Token answerer = fnd::NotificationCenter::defaultCenter().observe(
      "UILanguageNumPost", nullptr, [](const fnd::Notification& n) {
        if (Quirel_PVLanguageNum* carrier = Quirel_PVLanguageNum::fromNotification(n)) carrier->setLanguageNum(7);
      });
  EXPECT_EQ(Quirel_PVLanguageNum::ask(), 7);
  EXPECT_EQ(Quirel_PVLanguageNum::fromNotification(fnd::Notification{"OtherPost", &answerer, nullptr}), nullptr);
}

TEST(PlainQuestions, BundleIdentifierFromTheDataSourceAndFromTheWindowController) {
  EXPECT_EQ(Quirel_PVLocalizedBundle::askDataSource(), "");
  EXPECT_EQ(Quirel_PVLocalizedBundle::askWindowController(nullptr), "");

  auto& center = fnd::NotificationCenter::defaultCenter();
  fnd::NotificationCenter::Token dataSource =
      center.observe("UIDSBundleIDPost", nullptr, [](const fnd::Notification& n) {
        if (auto* carrier = Quirel_PVLocalizedBundle::fromNotification(n)) carrier->setLocalizedBundleStr("org.ds");
      });
  const int asker = 0;
  const void* seenAsker = nullptr;
  fnd::NotificationCenter::Token controller =
      center.observe("getDSBundleLocalizePost", nullptr, [&](const fnd::Notification& n) {
        seenAsker = n.sender;
        if (auto carrier = Quirel_PVLocalizedBundle::fromLocalizeRequest(n)) carrier->setLocalizedBundleStr("org.lc");
      });
  EXPECT_EQ(Quirel_PVLocalizedBundle::askDataSource(), "org.ds");
  EXPECT_EQ(Quirel_PVLocalizedBundle::askWindowController(&asker), "org.lc");
  EXPECT_EQ(seenAsker, &asker);
}
