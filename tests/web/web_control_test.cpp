// clsWebControl: pages of every data set, texts of lap files that cannot break out of the page's
// data, and page names that never meet.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include <quorvex2/quorvex2.h>

#include "cli/cli_run.h"

namespace {

namespace fs = std::filesystem;

nlohmann::json EmbeddedData(const std::string& page) {
  const std::string open = "id=\"qx-data\">";
  const size_t start = page.find(open) + open.size();
  return nlohmann::json::parse(page.substr(start, page.find("</script>", start) - start));
}

// Two classes whose names make the same file name, one whose name is "index", a runner whose
// name would end the page's script, a club full of markup, and skipped and disqualified legs.
TEST(WebControl, PagesOfLapFileTextsStayWhole) {
  quorvex2::clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(std::string(QX_TEST_DATA) + "/web/tricky.lxm"))
      << root.ErrorComment();
  const std::string folder = qxtest::MakeTempDir("web_tricky");
  quorvex2::clsWebControl web;
  web.Language = "en";
  int last_percent = -1;
  web.Progress = [&](int32_t percent) { last_percent = percent; };
  ASSERT_TRUE(web.OutputWeb(folder)) << root.ErrorComment();
  EXPECT_EQ(last_percent, 100);

  const auto index = EmbeddedData(qxtest::ReadFile(folder + "/index.html"));
  EXPECT_EQ(index["event"]["name"], "Tricky <Cup>");
  std::set<std::string> pages;
  for (const auto& entry : index["entries"]) {
    const std::string page = entry["page"];
    EXPECT_NE(page, "index.html");
    EXPECT_TRUE(fs::exists(folder + "/" + page)) << page;
    pages.insert(page);
  }
  EXPECT_EQ(pages.size(), index["entries"].size());  // no two data sets share a page

  const std::string page =
      qxtest::ReadFile(folder + "/" + index["entries"][0]["page"].get<std::string>());
  EXPECT_EQ(page.find("</script><script>"), std::string::npos);
  EXPECT_EQ(page.find("<!--"), std::string::npos);
  const auto runner = EmbeddedData(page)["runners"][0];
  EXPECT_EQ(runner["n"], "</script><script>alert(1)</script>");
  EXPECT_EQ(runner["c"], "\"&<!--");
  EXPECT_NE(page.find("<title>H21:E - Tricky &lt;Cup&gt;</title>"), std::string::npos);
  EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
  // Codes of legs: a skipped leg is "s" with its share of the run in "ms"; a disqualified leg is
  // "d", its time lost and those after it not computed (null).
  const auto& entries = index["entries"];
  const auto codes = std::find_if(entries.begin(), entries.end(),
                                  [](const auto& entry) { return entry["name"] == "Codes"; });
  ASSERT_NE(codes, entries.end());
  const auto data =
      EmbeddedData(qxtest::ReadFile(folder + "/" + (*codes)["page"].get<std::string>()));
  std::string legs;
  for (const auto& r : data["runners"]) {
    legs += r["n"].get<std::string>() + " " + r["lap"].dump() + " " + r["mi"].dump() + " " +
            r.value("ms", nlohmann::json()).dump() + "\n";
  }
  EXPECT_EQ(legs,
            "Ann [180,240,180] [0,18,0] null\n"
            "Cid [\"s\",450,210] [\"s\",0,8] [202,450,660]\n"
            "Bea [210,\"d\",210] [0,null,null] [210,null,null]\n");
  for (const char* asset : {"viewer.css", "core.js", "labels.js", "charts.js", "set.js"}) {
    EXPECT_GT(fs::file_size(folder + "/viewer/" + asset), 0u) << asset;
  }
  // Another event written into the folder leaves none of this one's pages; other files stay.
  qxtest::WriteFile(folder, "notes.html", "<html>mine</html>");
  ASSERT_TRUE(root.FileControl()->LoadLapFile(std::string(QX_SOURCE_DIR) + "/examples/sample.lxm"));
  ASSERT_TRUE(web.OutputWeb(folder)) << root.ErrorComment();
  std::set<std::string> now;
  const auto new_index = EmbeddedData(qxtest::ReadFile(folder + "/index.html"));
  for (const auto& entry : new_index["entries"]) now.insert(entry["page"].get<std::string>());
  for (const std::string& old_page : pages) {
    EXPECT_EQ(fs::exists(folder + "/" + old_page), now.count(old_page) > 0) << old_page;
  }
  EXPECT_TRUE(fs::exists(folder + "/notes.html"));
}

// Names whose family and given names the file gave apart carry them, on the class page and the
// index, for the page to order by its language; a name no longer made of them (renamed) does not.
TEST(WebControl, NamesKeepTheirPartsWhileTheyMakeTheName) {
  quorvex2::clsQuorvex2 root;
  root.Language("en");
  ASSERT_TRUE(
      root.FileControl()->LoadLapFile(std::string(QX_TEST_DATA) + "/iof/individual-3.0.xml"))
      << root.ErrorComment();
  root.ClassData("Open")->LapData(1)->RunnerName = "Someone Else";
  const std::string folder = qxtest::MakeTempDir("web_name_parts");
  quorvex2::clsWebControl web;
  ASSERT_TRUE(web.OutputWeb(folder)) << root.ErrorComment();

  const auto index = EmbeddedData(qxtest::ReadFile(folder + "/index.html"));
  const auto line = [](const auto& name, const auto& parts) {
    return name.template get<std::string>() + " " + parts.dump() + "\n";
  };
  std::string winners, runners, people;
  for (const auto& entry : index["entries"]) {
    winners += line(entry["winner"], entry.value("winnerParts", nlohmann::json()));
    const auto page =
        EmbeddedData(qxtest::ReadFile(folder + "/" + entry["page"].get<std::string>()));
    for (const auto& r : page["runners"]) runners += line(r["n"], r.value("p", nlohmann::json()));
  }
  for (const auto& p : index["people"]) {
    people += line(p[0], p.size() > 6 ? p[6] : nlohmann::json());
  }
  EXPECT_EQ(winners, "Aino Ahola [\"Ahola\",\"Aino\"]\nSomeone Else null\n");
  EXPECT_EQ(
      runners,
      "Aino Ahola [\"Ahola\",\"Aino\"]\nHa Holm [\"Holm\",\"Ha\"]\nCy Carr [\"Carr\",\"Cy\"]\n"
      "Di Dahl [\"Dahl\",\"Di\"]\nBo Berg [\"Berg\",\"Bo\"]\nFi Falk [\"Falk\",\"Fi\"]\n"
      "Ed Eklund [\"Eklund\",\"Ed\"]\nGu Gran [\"Gran\",\"Gu\"]\n"
      "Someone Else null\nJo Jonsson [\"Jonsson\",\"Jo\"]\n");
  EXPECT_EQ(people, runners);
}

}  // namespace
