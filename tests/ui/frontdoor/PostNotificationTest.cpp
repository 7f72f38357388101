// The outward channel: wrapped posts re-posted by the root that owns their sender, answer
// slots, and the plain questions with carriers.

#include <gtest/gtest.h>

#include "FrontDoorDoubles.h"
#include "foundation/NotificationCenter.h"
#include "ui/frontdoor/PVLanguageNum.h"
#include "ui/frontdoor/PVLocalizedBundle.h"
#include "ui/frontdoor/PostNotification.h"
#include "ui/frontdoor/Quirel.h"

using namespace frontdoor_test;

namespace {

// Everything posted under one name while it lives.
struct Heard {
  explicit Heard(std::string name)
      : token(fnd::NotificationCenter::defaultCenter().observe(std::move(name), nullptr,
                                                               [this](const fnd::Notification& n) { seen.push_back(n); })) {}
  std::vector<fnd::Notification> seen;
  fnd::NotificationCenter::Token token;
};

struct RootFixture : ::testing::Test {
  Log log;
  std::unique_ptr<Quirel> root = std::make_unique<Quirel>(std::make_unique<FakeWindowController>(log),
                                                          std::make_unique<FakeProgressWindow>(log));
  const void* uimSender() const { return root->windowController()->notificationSender(); }
  const void* progressSender() const { return root->progressWindow()->notificationSender(); }
};

}  // namespace

TEST_F(RootFixture, OverridePostIsRepostedUnderItsNameWithTheRootAsSenderAndTheSameDictionary) {
  for (const void* sender : {uimSender(), progressSender()}) {
    Heard heard("Preview_Scan");
    fnd::SharedDictionary info = fnd::makeShared({{"ScanDic", fnd::Dictionary{{"Resolution", 300}}}});
    Quirel_PostNotification().postExternalNotificationName("Preview_Scan", sender, info);

    ASSERT_EQ(heard.seen.size(), 1u);
    EXPECT_EQ(heard.seen[0].sender, root.get());
    EXPECT_EQ(heard.seen[0].userInfo, info);  // the very dictionary, not a copy
    EXPECT_EQ(info->string("OverrideNotificationName"), "Preview_Scan");
    EXPECT_EQ(info->dictionary("ScanDic").intValue("Resolution"), 300);
  }
}

TEST_F(RootFixture, NilDictionaryArrivesHoldingOnlyTheName) {
  Heard heard("Cancel_Scan");
  Quirel_PostNotification().postExternalNotificationName("Cancel_Scan", uimSender(), nullptr);
  ASSERT_EQ(heard.seen.size(), 1u);
  ASSERT_NE(heard.seen[0].info(), nullptr);
  EXPECT_EQ(*heard.seen[0].info(), (fnd::Dictionary{{"OverrideNotificationName", "Cancel_Scan"}}));
}

TEST_F(RootFixture, AnswerSlotStaysZeroWithoutAnAnswererAndCarriesTheAnswerBack) {
  auto info = fnd::makeShared({{"BackupPath", "/tmp/x"}});
  std::shared_ptr<int> result = Quirel_PostNotification::addResultSlot(*info);
  Quirel_PostNotification().postExternalNotificationName("ScanModule_Backup2", uimSender(), info);
  EXPECT_EQ(*result, 0);

  // An answerer that observes the re-posted name from the root writes through the slot.
  fnd::NotificationCenter::Token answerer = fnd::NotificationCenter::defaultCenter().observe(
      "ScanModule_Resume2", root.get(),
      [](const fnd::Notification& n) { EXPECT_TRUE(Quirel_PostNotification::setResult(n.info(), 42)); });
  auto resume = fnd::makeShared({{"ResumePath", "/tmp/x"}});
  std::shared_ptr<int> answer = Quirel_PostNotification::addResultSlot(*resume);
  Quirel_PostNotification().postExternalNotificationName("ScanModule_Resume2", uimSender(), resume);
  EXPECT_EQ(*answer, 42);

  EXPECT_FALSE(Quirel_PostNotification::setResult(nullptr, 1));
  fnd::Dictionary noSlot{{"SMResult", 3}};  // a plain number is no slot
  EXPECT_FALSE(Quirel_PostNotification::setResult(&noSlot, 1));
}

TEST_F(RootFixture, PostsFromSendersNoLiveRootOwnsAreNotRelayed) {
  Heard heard("Preview_Scan");
  int stranger = 0;
  Quirel_PostNotification().postExternalNotificationName("Preview_Scan", &stranger, nullptr);
  Quirel_PostNotification().postExternalNotificationName("Preview_Scan", nullptr, nullptr);
  Quirel_PostNotification().postExternalNotificationName("Preview_Scan", root.get(), nullptr);
  EXPECT_TRUE(heard.seen.empty());

  // Once the root is gone, its former objects' identities are relayed by nobody.
  const void* formerUim = uimSender();
  root.reset();
  Quirel_PostNotification().postExternalNotificationName("Preview_Scan", formerUim, nullptr);
  EXPECT_TRUE(heard.seen.empty());
}

TEST(OverrideChannel, RootRelaysOnlyTheObjectsItOwns) {
  Log log;
  FakeProgressWindow foreignProgress(log);
  Quirel mainOnly(std::make_unique<FakeWindowController>(log), nullptr);
  Heard heard("Scan_Cancel");
  Quirel_PostNotification().postExternalNotificationName("Scan_Cancel", foreignProgress.notificationSender(), nullptr);
  EXPECT_TRUE(heard.seen.empty());

  // Two roots: each relays its own objects only, once.
  Quirel other(std::make_unique<FakeWindowController>(log), nullptr);
  Quirel_PostNotification().postExternalNotificationName(
      "Scan_Cancel", other.windowController()->notificationSender(), nullptr);
  ASSERT_EQ(heard.seen.size(), 1u);
  EXPECT_EQ(heard.seen[0].sender, &other);
}

TEST_F(RootFixture, WrapperWithoutANameIsDropped) {
  Heard all("");
  auto& center = fnd::NotificationCenter::defaultCenter();
  center.post(Quirel_PostNotification::kOverrideNotification, uimSender(), nullptr);
  center.post(Quirel_PostNotification::kOverrideNotification, uimSender(), fnd::makeShared({{"Other", 1}}));
  center.post(Quirel_PostNotification::kOverrideNotification, uimSender(),
              fnd::makeShared({{"OverrideNotificationName", 5}}));
  for (const fnd::Notification& n : all.seen) EXPECT_EQ(n.name, Quirel_PostNotification::kOverrideNotification);
  EXPECT_EQ(all.seen.size(), 3u);
}

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

TEST_F(RootFixture, AnObserverMayReleaseTheRootWhileItsPostIsRelayed) {
  // The data source closes the user interface in answer to some requests, from inside the post.
  fnd::NotificationCenter::Token closer = fnd::NotificationCenter::defaultCenter().observe(
      "Close_UI", nullptr, [this](const fnd::Notification&) { root.reset(); });
  Heard heard("Close_UI");
  Quirel_PostNotification().postExternalNotificationName("Close_UI", uimSender(), nullptr);
  EXPECT_EQ(root, nullptr);
  EXPECT_EQ(heard.seen.size(), 1u);
}
