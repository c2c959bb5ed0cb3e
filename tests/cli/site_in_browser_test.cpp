// The complete site of the sample event as headless Chromium shows it: every page the index links
// opens (no error page), its Japanese texts read as written in both encodings, and every image
// loads with a size.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <quorvex2/core/encoding.h>

#include "cli_run.h"
#include "core/detail/utf8.h"
#include "headless_browser.h"

namespace {

const std::string kSample = std::string(QX_SOURCE_DIR) + "/examples/sample.lxm";
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

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool HasNonAscii(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return c & 0x80; });
}

std::string DecodeEntities(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t end = text[i] == '&' ? text.find(';', i) : std::string::npos;
    const std::string name = end == std::string::npos ? "" : text.substr(i + 1, end - i - 1);
    if (name == "nbsp")
      out += "\u00A0";
    else if (name == "amp")
      out += '&';
    else if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "quot")
      out += '"';
    else if (name.size() > 1 && name[0] == '#') {
      quorvex2::detail::AppendUtf8(out, static_cast<char32_t>(std::stoul(name.substr(1))));
    } else {
      out += text[i];
      continue;
    }
    i = end;
  }
  return out;
}

// Every line of text (between tags, outside comments) of the page source that holds characters
// beyond ASCII, entities decoded: what the browser must show.
std::vector<std::string> JapaneseTexts(const std::string& source) {
  std::string text;
  for (size_t i = 0; i < source.size();) {
    if (source.compare(i, 4, "<!--") == 0) {
      const size_t end = source.find("-->", i);
      i = end == std::string::npos ? source.size() : end + 3;
    } else if (source[i] == '<') {
      const size_t end = source.find('>', i);
      i = end == std::string::npos ? source.size() : end + 1;
      text += '\n';
    } else {
      text += source[i++];
    }
  }
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t end = text.find_first_of("\r\n"); start < text.size();
       start = end + 1, end = text.find_first_of("\r\n", start)) {
    if (end == std::string::npos) end = text.size();
    const std::string line = DecodeEntities(text.substr(start, end - start));
    if (HasNonAscii(line)) out.push_back(line);
  }
  return out;
}

// The texts every page of a kind shows, whatever the event.
std::vector<std::string> Labels(const std::string& page) {
  if (EndsWith(page, "index.html"))
    return {kEventName, "成績", "ラップ解析", "レッグ分析", "出力日時"};
  if (EndsWith(page, "_analysis.html"))
    return {kEventName, "氏名", "◆ ラップタイム", "◆ ミスタイム"};
  if (EndsWith(page, "_legs.html")) return {kEventName, "合計"};
  if (EndsWith(page, "_charts.html")) return {"◎ 標準"};
  return {};
}

std::string WriteSampleSite(const std::string& encoding) {
  const std::string dir = qxtest::MakeTempDir("browser_site_" + encoding);
  const auto run = qxtest::RunCli({"site", kSample, "-o", dir, "--encoding", encoding});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return dir;
}

class SiteInBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = qxtest::HeadlessBrowser::Find();
    if (program_.empty()) {
      GTEST_SKIP() << "chromium is not installed (scripts/install-deps installs it): the site is "
                      "not checked in a browser";
    }
  }

  // Opens the page and checks what the browser shows against the page file; returns the
  // addresses the page links.
  std::vector<std::string> CheckPage(qxtest::HeadlessBrowser& browser, const std::string& dir,
                                     const std::string& url, bool sjis) {
    SCOPED_TRACE(url);
    const std::string error = browser.Open(url);
    EXPECT_EQ(error, "");
    if (!error.empty()) return {};
    const auto page = browser.Evaluate(kInspect);
    EXPECT_EQ(page.at("url").get<std::string>(), url);  // no error page in its place
    const std::string name = url.substr(url.rfind('/') + 1);
    const std::string bytes = qxtest::ReadFile(dir + "/" + name);
    if (!EndsWith(name, ".html")) {
      EXPECT_FALSE(bytes.empty());
      return {};
    }
    const std::string source = sjis ? quorvex2::SjisToUtf8(bytes) : bytes;
    if (source.find("charset=") != std::string::npos) {
      EXPECT_EQ(page.at("charset").get<std::string>(), sjis ? "Shift_JIS" : "UTF-8");
    }
    const std::string shown = page.at("text").get<std::string>();
    EXPECT_EQ(shown.find("\uFFFD"), std::string::npos);  // no byte the browser could not read
    // The browser decodes once: an entity escaped twice ("&amp;nbsp;") is shown as text.
    std::smatch entity;
    EXPECT_FALSE(std::regex_search(shown, entity, std::regex("&(#[0-9]+|[A-Za-z]+);")))
        << entity.str();
    const auto texts = JapaneseTexts(source);
    EXPECT_FALSE(texts.empty());
    for (const auto& text : texts) EXPECT_NE(shown.find(text), std::string::npos) << text;
    for (const auto& label : Labels(name)) {
      EXPECT_NE(shown.find(label), std::string::npos) << label;
    }
    for (const auto& image : page.at("images")) {
      EXPECT_TRUE(image.at("complete").get<bool>()) << image.dump();
      EXPECT_GT(image.at("width").get<int>(), 0) << image.dump();
      EXPECT_GT(image.at("height").get<int>(), 0) << image.dump();
    }
    if (EndsWith(name, "_charts.html")) {
      EXPECT_FALSE(page.at("images").empty());
    }
    return page.at("links").get<std::vector<std::string>>();
  }

  // The index and every page it links, in the browser.
  void CheckSite(const std::string& encoding) {
    const bool sjis = encoding == "shift_jis";
    const std::string dir = WriteSampleSite(encoding);
    qxtest::HeadlessBrowser browser(program_, qxtest::MakeTempDir("chromium_profile"));
    const std::string index = "file://" + dir + "/index.html";
    std::set<std::string> targets;
    for (auto link : CheckPage(browser, dir, index, sjis)) {
      if (link.rfind("file://", 0) == 0) targets.insert(link.substr(0, link.find('#')));
    }
    // Results, analysis and leg pages of 5 classes and 2 courses, and both lap file copies.
    EXPECT_GE(targets.size(), 7u * 3 + 2);
    for (const auto& target : targets) CheckPage(browser, dir, target, sjis);
    EXPECT_NE(browser.Open("file://" + dir + "/no_such_page.html"), "");  // errors are seen
  }

  std::string program_;
};

TEST_F(SiteInBrowser, ShiftJisSite) {
  CheckSite("shift_jis");
}

TEST_F(SiteInBrowser, Utf8Site) {
  CheckSite("utf-8");
}

}  // namespace
