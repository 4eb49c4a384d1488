// The program against the sample platform, driven through its windows.
#include <gtest/gtest.h>

#include <QTabWidget>

#include "app/list_control.h"
#include "app/window_inventory.h"
#include "app/worker.h"
#include "e2e/program_fixture.h"
#include "net/remote_hosts.h"
#include "net/winhttp_object_fetch.h"
#include "text/regex_matcher.h"
#include "text/url_encoding.h"

TEST_F(ProgramTest, StartsWithItsLogLineAndAnIdleStatusBar) {
  EXPECT_NE(Log().find("：★初始化完毕...★"), std::string::npos) << Log();
  EXPECT_EQ(StatusMessage(), "");
  EXPECT_EQ(FindAs<QTabWidget>("选择夹1")->currentIndex(), 0);
  ClickTab("选择夹1", 1);
  EXPECT_EQ(FindAs<QTabWidget>("选择夹1")->currentIndex(), 1);
}

TEST_F(ProgramTest, TypingReachesAnEditBoxOfAnotherWindow) {
  CreateWindow(WindowKind::CustomKeyword).Show();
  Type("编辑框1", "连衣裙 夏");
  EXPECT_EQ(TextOf("编辑框1"), "连衣裙 夏");
}

// The layers a search stands on, end to end: a worker fetches a reply of the
// affiliate platform by its real address (the connection goes to the sample
// platform), decodes and matches it, and appends rows to the union list.
TEST_F(ProgramTest, AWorkersFetchReachesThePlatformAndItsRowsLandInTheList) {
  const Text url = std::string("http://") + kAffiliateHost +
                   "/items/search.json?toPage=1&queryType=&q=" + UrlEncode(Gbk("连衣裙")) + "&perPageSize=40";
  Window main = mainWindow();
  StartWorker([url, main](int64_t) {
    const Text reply = UrlDecode(BytesToText(WinHttpObjectFetch(url)), true);
    RegexMatcher shops, titles;
    shops.Match(R"P(nick":"(.*?)",")P", reply);
    titles.Match(R"P(g","title":"(.*?)",")P", reply);
    ListControl list(main, "超级列表框_采集信息");
    for (int i = 1; i <= shops.MatchCount(); ++i)
      list.AppendNumberedRow({shops.SubMatchText(i, 1), titles.SubMatchText(i, 1)});
  });
  ASSERT_TRUE(WaitUntil([&] { return ListRows("超级列表框_采集信息").size() == 40; }));

  const auto rows = ListRows("超级列表框_采集信息");
  EXPECT_EQ(rows.front()[0], "1");
  EXPECT_EQ(rows.back()[0], "40");
  for (const auto& row : rows) {
    EXPECT_FALSE(row[1].empty());
    EXPECT_NE(row[2].find("连衣裙"), std::string::npos) << row[2];
  }
  const auto requests = platform().Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].service, kAffiliateHost);
  EXPECT_EQ(requests[0].request.method, "GET");
}
