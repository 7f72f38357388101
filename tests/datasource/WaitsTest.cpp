// The data source's waits: what ends each kind, Cancel, and the program's end.
#include <gtest/gtest.h>

#include "DataSourceSupport.h"
#include "scanmodule/ErrorInformation.h"

using namespace dstest;
namespace report = velmor::report;

namespace {

using Step = std::function<void(OpenedOnDoubles&)>;

// A report of the module, posted where the test stands (its handlers do not care which thread).
void say(OpenedOnDoubles& o, const char* name, fnd::Dictionary info = {}) {
  fnd::NotificationCenter::defaultCenter().post(name, o.ds.scanController(), fnd::makeShared(std::move(info)));
}

fnd::Dictionary imageInfo() { return {{"SAMPLES", 3}, {"PIXELS", 8}, {"WIDTH", 10}, {"HEIGHT", 10}, {"RESOLUTION", 75}}; }

fnd::Dictionary errorReport(int error) {
  return {{"object", fnd::Value::object(std::make_shared<velmor::ErrorInformation>(velmor::ErrorInformation{error, 1, 2, 3}))}};
}

void pressCancel(OpenedOnDoubles& o) {
  ASSERT_TRUE(o.root()->lastCancelObject);
  o.root()->lastCancelObject->setCancelNum(1);
}

// Setups that make each kind wait.
const Step kDocument = [](OpenedOnDoubles& o) { say(o, report::kDocumentStart); };
const Step kPage = [](OpenedOnDoubles& o) {
  say(o, report::kDocumentStart);
  say(o, report::kImageInfo, imageInfo());
};
const Step kPageStarted = [](OpenedOnDoubles& o) {
  kPage(o);
  say(o, report::kPageStartObject);
};
const Step kNextPage = [](OpenedOnDoubles& o) {
  kPage(o);
  o.ds.mDoingDSpage = 2;
};
const Step kResultWindow = [](OpenedOnDoubles& o) {
  o.ds.mNeedResultWindow = true;
  o.ds.mShowingResWin = 1;
};
const Step kProgressOfARunningDocument = [](OpenedOnDoubles& o) {
  say(o, report::kDocumentStart);
  o.report(report::kCreateProgressWindow);
};
const Step kForecast = [](OpenedOnDoubles& o) { say(o, report::kErrorWillBeNotified); };

struct Case {
  const char* name;
  int kind;
  Step setup;
  Step during;  // runs on the main thread inside the wait's first poll
  int expected;
};

int runCase(const Case& c, OpenedOnDoubles& o) {
  if (c.setup) c.setup(o);
  fnd::RunLoop::performOnMainThread([&o, &c] { c.during(o); });
  const int result = o.ds.dsWaitForNextEvent(c.kind);
  EXPECT_EQ(o.ds.mMainLoopCount.load(), 0) << c.name;
  // Whatever the case left running ends, so the close does not wait for it.
  say(o, report::kDocumentEnd, {{"STATUS", 1}});
  return result;
}

}  // namespace

TEST(Waits, EachKindEndsOnWhatItWaitsFor) {
  const Case cases[] = {
      {"image report", 2, kDocument, [](OpenedOnDoubles& o) { say(o, report::kImageInfo, imageInfo()); }, 0},
      {"error report", 2, kNextPage, [](OpenedOnDoubles& o) { say(o, report::kErrorInformation, errorReport(1205)); }, 1205},
      {"page start", 3, kPage, [](OpenedOnDoubles& o) { say(o, report::kPageStartObject); }, 0},
      {"page end", 4, kPageStarted, [](OpenedOnDoubles& o) { say(o, report::kPageEnd, {{"CROPS", 2}}); }, 0},
      {"device error", 4, kPageStarted, [](OpenedOnDoubles& o) { say(o, report::kErrorInformation, errorReport(1221)); }, 1221},
      {"document end", 5, kDocument, [](OpenedOnDoubles& o) { say(o, report::kDocumentEnd, {{"STATUS", 0}}); }, 0},
      {"result window closed", 6, kResultWindow,
       [](OpenedOnDoubles& o) { o.post("clickCloseButtonPost"); }, 0},
      {"result window cancelled", 6, kResultWindow, pressCancel, 0},
      {"progress closed", 8, kProgressOfARunningDocument, [](OpenedOnDoubles& o) { say(o, report::kCloseProgressWindow); }, 0},
      {"forecast error came", 9, kForecast, [](OpenedOnDoubles& o) { say(o, report::kErrorInformation, errorReport(1205)); }, 0},
      {"error handled", 10, kForecast, [](OpenedOnDoubles& o) { say(o, report::kErrorInformation, errorReport(1205)); }, 1205},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenedOnDoubles o;
    ASSERT_EQ(o.opened, 0);
    EXPECT_EQ(runCase(c, o), c.expected);
    if (c.kind == 6) {
      EXPECT_TRUE(o.factory.log->contains("startEventScanResultWindow"));
      EXPECT_TRUE(o.factory.log->contains("closeScanResultWindow"));
      EXPECT_FALSE(o.ds.mNeedResultWindow.load());
      EXPECT_EQ(o.ds.mShowingResWin.load(), 0);
    }
    if (c.expected == 1205 || c.expected == 1221) {
      EXPECT_TRUE(o.factory.log->contains("showMessage:" + std::to_string(c.expected) + ",1,2,3"));
    }
  }
}

TEST(Waits, ADocumentThatEndsWithoutThePageEndsTheWaitAsACancel) {
  const Case cases[] = {
      {"status 0 before the awaited page", 2, kNextPage, [](OpenedOnDoubles& o) { say(o, report::kDocumentEnd, {{"STATUS", 0}}); },
       10002},
      {"status 2 with no error report", 2, kDocument, [](OpenedOnDoubles& o) { say(o, report::kDocumentEnd, {{"STATUS", 2}}); },
       10002},
      {"document over before the page end", 4, kPageStarted,
       [](OpenedOnDoubles& o) { say(o, report::kDocumentEnd, {{"STATUS", 1}}); }, 10002},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenedOnDoubles o;
    EXPECT_EQ(runCase(c, o), c.expected);
    EXPECT_EQ(o.ds.dsGetErrorInfo(), 3);  // cancelled
  }
  // The page the data source moved past is ended on the way.
  OpenedOnDoubles o;
  runCase(cases[0], o);
  EXPECT_EQ(o.scan().names().back(), "smEndScan");
}

TEST(Waits, CancelInTheProgressWindowEndsTheScanModuleWaits) {
  struct CancelCase {
    int kind;
    Step setup;
    bool feeder;
  };
  const CancelCase cases[] = {{2, kDocument, false}, {3, kPage, false},     {4, kPageStarted, false},
                              {4, kPageStarted, true}, {5, kDocument, true}, {9, kForecast, false},
                              {10, kForecast, true}};
  for (const CancelCase& c : cases) {
    SCOPED_TRACE(c.kind);
    OpenedOnDoubles o;
    const int expected = c.feeder ? 10000 : 10002;
    // The feeder mode is what the document's first image report said.
    const Step setup = [&](OpenedOnDoubles& opened) {
      c.setup(opened);
      opened.ds.mScanningMode = c.feeder ? 1 : 0;
    };
    EXPECT_EQ(runCase(Case{"cancel", c.kind, setup, pressCancel, expected}, o), expected);
    EXPECT_EQ(o.ds.deviceError(), expected);
    EXPECT_EQ(o.scan().cancels.load(), 1);
  }
}

TEST(Waits, EveryKindEndsWhenTheProgramEnds) {
  const std::pair<int, Step> cases[] = {{2, kDocument},     {3, kPage},         {4, kPageStarted},
                                        {5, kDocument},     {6, kResultWindow}, {8, kProgressOfARunningDocument},
                                        {9, kForecast},     {10, kForecast}};
  for (const auto& [kind, setup] : cases) {
    SCOPED_TRACE(kind);
    OpenedOnDoubles o;
    EXPECT_EQ(runCase(Case{"will terminate", kind, setup, [](OpenedOnDoubles&) { postWillTerminate(); }, 10002}, o), 10002);
  }
  // stopWaiting does the same, for good.
  OpenedOnDoubles o;
  say(o, report::kDocumentStart);
  o.ds.stopWaiting();
  EXPECT_EQ(o.ds.dsWaitForNextEvent(5), 10002);
  EXPECT_EQ(o.ds.dsWaitForNextEvent(5), 10002);
}

TEST(Waits, KindsWithNothingToWaitForAnswerAtOnce) {
  OpenedOnDoubles o;
  for (int kind : {3, 4, 5, 6, 9, 1, 7, 11}) {
    o.factory.log->clear();
    if (kind == 3) {
      kPageStarted(o);
    }
    EXPECT_EQ(o.ds.dsWaitForNextEvent(kind), 0) << kind;
    say(o, report::kDocumentEnd, {{"STATUS", 0}});
  }
}
