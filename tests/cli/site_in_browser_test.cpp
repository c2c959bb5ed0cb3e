// The complete site of the sample event as headless Chromium shows it: every page the index links
// opens (no error page), its Japanese texts read as written in both encodings, and every image
// loads with a size.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <quorvex2/core/encoding.h>
#include <quorvex2/core/text.h>

#include "cli_run.h"
#include "headless_browser.h"

namespace {

const std::string kEventName = "第12回 秋の森林オリエンテーリング大会";

// What the browser made of the page it shows.
constexpr const char* kInspect = R"js((() => ({
  url: location.href,
  charset: document.characterSet,
  text: document.documentElement.textContent,
  images: Array.from(document.images).map(i => ({
    src: i.src, complete: i.complete, width: i.naturalWidth, height: i.naturalHeight})),
  links: Array.from(document.links).map(a => a.href)
}))())js";

// Every line of text (between tags, outside comments) of the page source that holds characters
// beyond ASCII, references resolved: what the browser must show.
std::vector<std::string> JapaneseTexts(const std::string& source) {
  std::string text;
  for (size_t i = 0; i < source.size();) {
    const bool comment = source.compare(i, 4, "<!--") == 0;
    if (comment || source[i] == '<') {
      const size_t end = source.find(comment ? "-->" : ">", i);
      i = end == std::string::npos ? source.size() : end + (comment ? 3 : 1);
      text += '\n';
    } else {
      text += source[i++];
    }
  }
  text = qxtest::ResolveNumericReferences(quorvex2::ReplaceAll(text, "&nbsp;", "\u00A0"));
  for (const auto& [entity, character] :
       {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
    text = quorvex2::ReplaceAll(text, entity, character);
  }
  std::vector<std::string> out;
  std::istringstream lines(quorvex2::ReplaceAll(text, "\r", "\n"));
  for (std::string line; std::getline(lines, line);) {
    if (std::any_of(line.begin(), line.end(), [](char c) { return c & 0x80; })) out.push_back(line);
  }
  return out;
}

// The texts every page of a kind shows, whatever the event.
std::vector<std::string> Labels(const std::string& page) {
  if (page.ends_with("index.html"))
    return {kEventName, "成績", "ラップ解析", "レッグ分析", "出力日時"};
  if (page.ends_with("_analysis.html"))
    return {kEventName, "氏名", "◆ ラップタイム", "◆ ミスタイム"};
  if (page.ends_with("_legs.html")) return {kEventName, "合計"};
  if (page.ends_with("_charts.html")) return {"◎ 標準"};
  return {};
}

class SiteInBrowser : public ::testing::TestWithParam<const char*> {
 protected:
  // Opens the page and checks what the browser shows against the page file; returns the
  // addresses the page links.
  std::vector<std::string> CheckPage(const std::string& url) {
    SCOPED_TRACE(url);
    const std::string error = browser_->Open(url);
    EXPECT_EQ(error, "");
    if (!error.empty()) return {};
    const auto page = browser_->Evaluate(kInspect);
    EXPECT_EQ(page.at("url").get<std::string>(), url);  // no error page in its place
    const std::string name = url.substr(url.rfind('/') + 1);
    const std::string bytes = qxtest::ReadFile(dir_ + "/" + name);
    EXPECT_FALSE(bytes.empty());
    if (!name.ends_with(".html")) return {};
    const std::string source = sjis_ ? quorvex2::SjisToUtf8(bytes) : bytes;
    if (qxtest::Contains(source, "charset=")) {
      EXPECT_EQ(page.at("charset").get<std::string>(), sjis_ ? "Shift_JIS" : "UTF-8");
    }
    const std::string shown = page.at("text").get<std::string>();
    EXPECT_FALSE(qxtest::Contains(shown, "\uFFFD"));  // no byte the browser could not read
    // The browser decodes once: an entity escaped twice ("&amp;nbsp;") is shown as text.
    std::smatch entity;
    EXPECT_FALSE(std::regex_search(shown, entity, std::regex("&(#[0-9]+|[A-Za-z]+);")))
        << entity.str();
    const auto texts = JapaneseTexts(source);
    EXPECT_FALSE(texts.empty());
    for (const auto& text : texts) EXPECT_TRUE(qxtest::Contains(shown, text)) << text;
    for (const auto& label : Labels(name)) EXPECT_TRUE(qxtest::Contains(shown, label)) << label;
    for (const auto& image : page.at("images")) {
      EXPECT_TRUE(image.at("complete").get<bool>() && image.at("width").get<int>() > 0 &&
                  image.at("height").get<int>() > 0)
          << image.dump();
    }
    EXPECT_TRUE(!name.ends_with("_charts.html") || !page.at("images").empty());
    return page.at("links").get<std::vector<std::string>>();
  }

  bool sjis_ = std::string(GetParam()) == "shift_jis";
  std::string dir_;
  std::unique_ptr<qxtest::HeadlessBrowser> browser_;
};

// The index and every page it links, in the browser.
TEST_P(SiteInBrowser, EveryPageTheIndexLinks) {
  const std::string program = qxtest::HeadlessBrowser::Find();
  if (program.empty()) {
    GTEST_SKIP() << "chromium is not installed (scripts/install-deps installs it): the site is "
                    "not checked in a browser";
  }
  dir_ = qxtest::SampleOutput(GetParam());
  browser_ =
      std::make_unique<qxtest::HeadlessBrowser>(program, qxtest::MakeTempDir("chromium_profile"));
  std::set<std::string> targets;
  for (const auto& link : CheckPage("file://" + dir_ + "/index.html")) {
    if (link.starts_with("file://")) targets.insert(link.substr(0, link.find('#')));
  }
  // Results, analysis and leg pages of 5 classes and 2 courses, and both lap file copies.
  EXPECT_GE(targets.size(), 7u * 3 + 2);
  for (const auto& target : targets) CheckPage(target);
  EXPECT_NE(browser_->Open("file://" + dir_ + "/no_such_page.html"), "");  // errors are seen
}

INSTANTIATE_TEST_SUITE_P(Encodings, SiteInBrowser, ::testing::Values("shift_jis", "utf-8"));

}  // namespace
