// clsWebControl: pages of every data set, texts of lap files that cannot break out of the page's
// data, page names that never meet, and a folder that cannot be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include <quorvex2/quorvex2.h>

namespace {

namespace fs = std::filesystem;

// Two classes whose names make the same file name, one whose name is "index", a runner whose
// name would end the page's script and a club full of markup.
constexpr const char* kEvent = R"(<?xml version="1.0" encoding="UTF-8"?>
<quorvex version="2.19" type="application/x-quorvex2">
<event name="Tricky &lt;Cup&gt;"/>
<classes>
<class name="H21:E" controls="2" course="1">
<runner name="&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;" club="&quot;&amp;&lt;!--" result="0:10:00">
<leg index="1" laptime="00:03:00"/><leg index="2" laptime="00:04:00"/><leg index="3" laptime="00:03:00"/>
</runner>
</class>
<class name="H21*E" controls="2" course="1">
<runner name="Erik Berg" result="0:11:00">
<leg index="1" laptime="00:03:30"/><leg index="2" laptime="00:04:30"/><leg index="3" laptime="00:03:00"/>
</runner>
</class>
<class name="index" controls="2">
<runner name="Anna" result="DNF"><leg index="1" laptime="00:03:30"/></runner>
</class>
</classes>
<courses><course number="1" controls="2"><control index="1" unit-number="101"/><control index="2" unit-number="102"/></course></courses>
</quorvex>
)";

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

nlohmann::json EmbeddedData(const std::string& page) {
  const std::string open = "id=\"qx-data\">";
  const size_t start = page.find(open) + open.size();
  return nlohmann::json::parse(page.substr(start, page.find("</script>", start) - start));
}

fs::path Folder(const std::string& name) {
  const fs::path folder = fs::path(::testing::TempDir()) / name;
  fs::remove_all(folder);
  return folder;
}

TEST(WebControl, PagesOfLapFileTextsStayWhole) {
  quorvex2::clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile("tricky.lxm", 0, 0, kEvent)) << root.ErrorComment();
  const fs::path folder = Folder("web_tricky");
  quorvex2::clsWebControl web;
  web.Language = "en";
  int last_percent = -1;
  web.Progress = [&](int32_t percent) { last_percent = percent; };
  ASSERT_TRUE(web.OutputWeb(folder.string())) << root.ErrorComment();
  EXPECT_EQ(last_percent, 100);

  const auto index = EmbeddedData(Read(folder / "index.html"));
  EXPECT_EQ(index["event"]["name"], "Tricky <Cup>");
  std::set<std::string> pages;
  for (const auto& entry : index["entries"]) {
    const std::string page = entry["page"];
    EXPECT_NE(page, "index.html");
    EXPECT_TRUE(fs::exists(folder / page)) << page;
    pages.insert(page);
  }
  EXPECT_EQ(pages.size(), index["entries"].size());  // no two data sets share a page

  const std::string page = Read(folder / index["entries"][0]["page"].get<std::string>());
  EXPECT_EQ(page.find("</script><script>"), std::string::npos);
  EXPECT_EQ(page.find("<!--"), std::string::npos);
  const auto runner = EmbeddedData(page)["runners"][0];
  EXPECT_EQ(runner["n"], "</script><script>alert(1)</script>");
  EXPECT_EQ(runner["c"], "\"&<!--");
  EXPECT_NE(page.find("<title>H21:E - Tricky &lt;Cup&gt;</title>"), std::string::npos);
  EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
  for (const char* asset : {"viewer.css", "core.js", "labels.js", "charts.js", "set.js"}) {
    EXPECT_GT(fs::file_size(folder / "viewer" / asset), 0u) << asset;
  }
}

TEST(WebControl, FolderThatCannotBeWrittenFails) {
  quorvex2::clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile("tricky.lxm", 0, 0, kEvent));
  const fs::path blocker = Folder("web_blocked");
  std::ofstream(blocker.string()) << "a file where the folder should be";
  quorvex2::clsWebControl web;
  EXPECT_FALSE(web.OutputWeb((blocker / "site").string()));
  EXPECT_NE(root.ErrorComment().find("OutputWeb"), std::string::npos) << root.ErrorComment();
}

}  // namespace
