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

TEST(PlainQuestions, AnotherPosterOfTheQuestionNamesGetsNoCarrier) {
  // Someone else posts the same names with an object that is not a carrier: the answering
  // side must see "no carrier" rather than write into that object.
  int notACarrier = 0;
  auto stranger = std::make_shared<int>(0);
  const fnd::SharedDictionary infos[] = {
      nullptr, fnd::makeShared({{"Other", 1}}),
      fnd::makeShared({{Quirel_PVLanguageNum::kCarrierKey, fnd::Value::object(stranger)},
                       {Quirel_PVLocalizedBundle::kCarrierKey, fnd::Value::object(stranger)}})};
  for (const fnd::SharedDictionary& info : infos) {
    EXPECT_EQ(Quirel_PVLanguageNum::fromNotification(fnd::Notification{"UILanguageNumPost", &notACarrier, info}), nullptr);
    EXPECT_EQ(Quirel_PVLocalizedBundle::fromNotification(fnd::Notification{"UIDSBundleIDPost", &notACarrier, info}),
              nullptr);
  }
  // A real carrier handed with a sender other than itself is not trusted either.
  auto language = std::make_shared<Quirel_PVLanguageNum>();
  auto bundle = std::make_shared<Quirel_PVLocalizedBundle>();
  const fnd::SharedDictionary real = fnd::makeShared({{Quirel_PVLanguageNum::kCarrierKey, fnd::Value::object(language)},
                                                      {Quirel_PVLocalizedBundle::kCarrierKey, fnd::Value::object(bundle)}});
  EXPECT_EQ(Quirel_PVLanguageNum::fromNotification(fnd::Notification{"UILanguageNumPost", &notACarrier, real}), nullptr);
  EXPECT_EQ(Quirel_PVLanguageNum::fromNotification(fnd::Notification{"UILanguageNumPost", language.get(), real}),
            language.get());
  EXPECT_EQ(Quirel_PVLocalizedBundle::fromNotification(fnd::Notification{"UIDSBundleIDPost", bundle.get(), real}),
            bundle.get());
  EXPECT_EQ(notACarrier, 0);
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
