// The sample event's web viewer as headless Chromium shows it from file://, walked in one test:
// every page loads without an error in both languages, the language is remembered from page to
// page and the switch changes every label, two picked runners draw exactly their two lines, each
// chart mode draws a figure of its own with names that never overlap, the X/Y map puts every
// runner at the analysis's coordinates, a link naming a runner picks that runner, and at 360 px
// no page scrolls sideways.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "headless_browser.h"

namespace {

using nlohmann::json;

const std::string kSample = std::string(QX_SOURCE_DIR) + "/examples/sample.lxm";

// Every text the page shows as a label, and where a label could hide in an attribute.
constexpr const char* kLabels = R"js((() => [
  ...[...document.querySelectorAll('[data-l]')].map(e => e.textContent),
  ...[...document.querySelectorAll('[placeholder], [aria-label]')].map(
      e => (e.getAttribute('placeholder') || '') + '|' + (e.getAttribute('aria-label') || ''))
])())js";

// Texts outside the data (names, clubs, classes) that hold Japanese characters.
constexpr const char* kJapaneseOutsideData = R"js((() => {
  const japanese = /[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]/;
  const found = [];
  const walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  while (walk.nextNode()) {
    const node = walk.currentNode;
    if (node.parentElement.closest('[translate="no"], script, noscript, style')) continue;
    if (japanese.test(node.textContent)) found.push(node.textContent);
  }
  for (const e of document.querySelectorAll('[placeholder], [aria-label]')) {
    const text = (e.getAttribute('placeholder') || '') + (e.getAttribute('aria-label') || '');
    if (japanese.test(text)) found.push(text);
  }
  return found;
})())js";

// The serial numbers of the runner lines drawn, after picking the 2nd and 4th row of the
// result list from none, and the serials of those rows.
constexpr const char* kPickTwo = R"js((() => {
  const runners = JSON.parse(document.getElementById('qx-data').textContent).runners;
  document.querySelector('.qx-mode[data-mode="ref"]').click();
  document.querySelector('.qx-none').click();
  const rows = document.querySelectorAll('.qx-results tbody tr');
  rows[1].click();
  rows[3].click();
  return {
    picked: [rows[1], rows[3]].map(r => runners[+r.dataset.i].i).sort(),
    lines: [...document.querySelectorAll('#qx-charts svg .qx-line')].map(l => +l.dataset.id).sort()
  };
})())js";

// Every mode's figure with every runner picked: what it draws and the boxes of the names.
constexpr const char* kModes = R"js((() => {
  document.querySelector('.qx-all').click();
  const out = {};
  for (const button of document.querySelectorAll('.qx-mode')) {
    button.click();
    const svg = document.querySelector('#qx-charts svg');
    out[button.dataset.mode] = {
      figure: svg ? svg.querySelector('.qx-plot').innerHTML : '',
      marks: svg ? svg.querySelectorAll('.qx-plot [data-id]').length : 0,
      names: svg ? [...svg.querySelectorAll('.qx-name')].map(t => {
        const b = t.getBBox();
        return [b.x, b.y, b.width, b.height];
      }) : []
    };
  }
  return out;
})())js";

// The X/Y map of every runner: the ticks of both axes and each runner's point, in pixels.
constexpr const char* kMap = R"js((() => {
  document.querySelector('.qx-all').click();
  document.querySelector('.qx-mode[data-mode="map"]').click();
  const svg = document.querySelector('#qx-charts svg');
  const ticks = (selector, at) => [...svg.querySelectorAll(selector)].map(
      t => [+t.dataset.v, +t.getAttribute(at)]);
  return {
    x: ticks('.qx-tick-x', 'x1'),
    y: ticks('.qx-tick-y', 'y1'),
    points: [...svg.querySelectorAll('.qx-point')].map(
        c => [+c.dataset.id, +c.getAttribute('cx'), +c.getAttribute('cy')])
  };
})())js";

constexpr const char* kPage = R"js((() => ({
  lang: document.documentElement.lang,
  sections: document.querySelectorAll('section').length,
  sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
  pinned: [...document.querySelectorAll('.qx-results tr.qx-pinned')].length,
  picked: [...document.querySelectorAll('.qx-results tr.qx-picked')].length,
  count: document.querySelector('.qx-count')?.textContent,
  links: [...document.querySelectorAll('a[href]')].map(a => a.href)
}))())js";

bool Overlap(const json& a, const json& b) {
  const double ax = a[0], ay = a[1], aw = a[2], ah = a[3];
  const double bx = b[0], by = b[1], bw = b[2], bh = b[3];
  constexpr double kSlack = 0.5;
  return ax + kSlack < bx + bw && bx + kSlack < ax + aw && ay + kSlack < by + bh &&
         by + kSlack < ay + ah;
}

// The value a pixel position stands for on an axis, from the first and last tick.
double AxisValue(const json& ticks, double pixel) {
  const double v0 = ticks.front()[0], p0 = ticks.front()[1];
  const double v1 = ticks.back()[0], p1 = ticks.back()[1];
  return v0 + (pixel - p0) * (v1 - v0) / (p1 - p0);
}

class WebInBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = qxtest::HeadlessBrowser::Find();
    if (program_.empty()) {
      GTEST_SKIP() << "chromium is not installed (scripts/install-deps installs it): the web "
                      "viewer is not checked in a browser";
    }
    dir_ = qxtest::MakeTempDir("web_browser");
    const auto run = qxtest::RunCli({"web", kSample, "-o", dir_});
    ASSERT_EQ(run.exit_code, 0) << run.err;
  }

  json Open(qxtest::HeadlessBrowser& browser, const std::string& url) {
    EXPECT_EQ(browser.Open(url), "") << url;
    const json page = browser.Evaluate(kPage);
    for (const auto& error : browser.TakeErrors()) ADD_FAILURE() << url << ": " << error;
    return page;
  }

  // Clicks the page's button of the language.
  static void Choose(qxtest::HeadlessBrowser& browser, const std::string& language) {
    browser.Evaluate("document.querySelector('.qx-lang[data-lang=\"" + language + "\"]').click()");
  }

  // The index and every page it links, in the language chosen on the index.
  std::vector<std::string> OpenEveryPage(qxtest::HeadlessBrowser& browser,
                                         const std::string& language) {
    const std::string index = "file://" + dir_ + "/index.html";
    Open(browser, index);
    Choose(browser, language);
    std::vector<std::string> pages;
    const json listed = Open(browser, index);
    for (const auto& link : listed.at("links")) pages.push_back(link);
    EXPECT_EQ(pages.size(), 11u);  // 5 classes, 2 shared courses, 4 segments
    for (const auto& url : pages) {
      const json page = Open(browser, url);
      EXPECT_EQ(page["lang"], language) << url;
      EXPECT_EQ(page["sections"], 4) << url;
      if (language != "ja") {
        EXPECT_EQ(browser.Evaluate(kJapaneseOutsideData), json::array()) << url;
      }
    }
    return pages;
  }

  void CheckLanguageSwitch(qxtest::HeadlessBrowser& browser, const std::string& url) {
    Open(browser, url);
    const json japanese = browser.Evaluate(kLabels);
    Choose(browser, "en");
    const json english = browser.Evaluate(kLabels);
    ASSERT_EQ(english.size(), japanese.size()) << url;
    for (size_t i = 0; i < english.size(); ++i) EXPECT_NE(english[i], japanese[i]) << url;
    EXPECT_EQ(browser.Evaluate(kJapaneseOutsideData), json::array()) << url;
    Choose(browser, "ja");
    EXPECT_EQ(browser.Evaluate(kLabels), japanese) << url;
  }

  void CheckCharts(qxtest::HeadlessBrowser& browser, const std::string& url) {
    Open(browser, url);
    const json two = browser.Evaluate(kPickTwo);
    EXPECT_EQ(two["picked"].size(), 2u);
    EXPECT_EQ(two["lines"], two["picked"]);
    const json modes = browser.Evaluate(kModes);
    EXPECT_EQ(modes.size(), 7u);
    std::set<std::string> figures;
    for (const auto& [mode, chart] : modes.items()) {
      EXPECT_GT(chart["marks"], 0) << mode;
      figures.insert(chart["figure"].get<std::string>());
      const json& names = chart["names"];
      for (size_t i = 0; i < names.size(); ++i) {
        for (size_t j = i + 1; j < names.size(); ++j) {
          EXPECT_FALSE(Overlap(names[i], names[j])) << mode << ": " << names[i] << names[j];
        }
      }
    }
    EXPECT_EQ(figures.size(), modes.size());
    for (const auto& error : browser.TakeErrors()) ADD_FAILURE() << url << ": " << error;
  }

  void CheckMap(qxtest::HeadlessBrowser& browser, const std::string& url,
                const std::string& class_name) {
    Open(browser, url);
    const auto run =
        qxtest::RunCli({"report", "json", kSample, "--class", class_name, "--extra", "--tovarine"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::map<int, json> runners;
    const json report = json::parse(run.out);
    for (const auto& r : report["runners"]) {
      if (r["result"].get<std::string>().find(':') != std::string::npos)
        runners[r["serialNum"]] = r;
    }
    const json map = browser.Evaluate(kMap);
    ASSERT_GE(map["x"].size(), 2u);
    ASSERT_GE(map["y"].size(), 2u);
    EXPECT_EQ(map["points"].size(), runners.size());
    for (const auto& point : map["points"]) {
      const json& r = runners[point[0].get<int>()];
      ASSERT_FALSE(r.is_null()) << point;
      EXPECT_NEAR(AxisValue(map["x"], point[1]), r["tovarineX"].get<double>(), 0.2) << r["name"];
      EXPECT_NEAR(AxisValue(map["y"], point[2]), r["tovarineY"].get<double>(), 0.2) << r["name"];
    }
  }

  std::string program_;
  std::string dir_;
};

TEST_F(WebInBrowser, SampleViewerFromFiles) {
  qxtest::HeadlessBrowser browser(program_, qxtest::MakeTempDir("chromium_profile"));
  OpenEveryPage(browser, "en");
  const std::vector<std::string> pages = OpenEveryPage(browser, "ja");
  const std::string m21a = "file://" + dir_ + "/class_m21a.html";
  CheckLanguageSwitch(browser, "file://" + dir_ + "/index.html");
  CheckLanguageSwitch(browser, m21a);
  CheckCharts(browser, m21a);
  CheckCharts(browser, "file://" + dir_ + "/segment_169-136-103.html");
  CheckMap(browser, m21a, "M21A");

  // A runner named in the link (as the index's search links them) is the one runner picked, and
  // pinned.
  Open(browser, "file://" + dir_ + "/index.html");
  const json linked = Open(browser, m21a + "#r=5");
  EXPECT_EQ(linked["picked"], 1);
  EXPECT_EQ(linked["pinned"], 1);
  EXPECT_EQ(linked["count"], "1 人を選択中");
  Choose(browser, "en");  // a count takes the form of its number
  EXPECT_EQ(browser.Evaluate(kPage)["count"], "1 runner picked");

  browser.SetViewport(360, 740);
  for (const char* language : {"en", "ja"}) {
    const std::string index = "file://" + dir_ + "/index.html";
    Open(browser, index);
    Choose(browser, language);
    EXPECT_LE(Open(browser, index)["sideways"], 0) << language;
    for (const auto& url : pages) EXPECT_LE(Open(browser, url)["sideways"], 0) << language << url;
  }
}

}  // namespace
