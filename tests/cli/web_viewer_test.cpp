// quorvex2 web: the figures each page of the sample event's viewer embeds, for every class,
// shared course and segment, runner by runner and leg by leg, compared whole with a golden file (a
// line for each of a page's keys and one for each runner). Then the viewer as headless Chromium
// shows it from file://, walked in one test: every page loads without an error in both languages,
// the language is remembered from page to page and the switch changes every label, two picked
// runners draw exactly their two lines, each chart mode draws a figure of its own with names that
// never overlap, a picked runner's swatch in the tables stands apart from the others as its line
// does, the X/Y map puts every runner at its coordinates, a link naming a runner picks that
// runner, every column of the result list sorts both ways, and no page scrolls sideways, at 360 px
// as at 1280 px.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "headless_browser.h"

namespace {

using nlohmann::json;

json EmbeddedData(const std::string& page) {
  const std::string open = "id=\"qx-data\">";
  const size_t start = page.find(open);
  if (start == std::string::npos) return json::object();
  const size_t from = start + open.size();
  return json::parse(page.substr(from, page.find("</script>", from) - from));
}

TEST(WebData, EveryPageCarriesTheAnalysisOfItsDataSet) {
  const std::string dir = qxtest::SampleOutput("web");
  const json index = EmbeddedData(qxtest::ReadFile(dir + "/index.html"));
  std::string text;
  for (const auto& entry : index["entries"]) {
    const std::string name = entry["page"];
    const json page = EmbeddedData(qxtest::ReadFile(dir + "/" + name));
    text += "== " + entry.dump() + "\n";
    for (const auto& [key, value] : page.items()) {
      if (key != "runners") text += key + ": " + value.dump() + "\n";
    }
    std::set<int> serials;  // a runner's link (#r=serial) picks him alone
    for (const auto& runner : page["runners"]) {
      text += runner.dump() + "\n";
      EXPECT_TRUE(serials.insert(runner["i"].get<int>()).second) << name << " " << runner["n"];
    }
  }
  qxtest::ExpectGolden("golden/cli/web-data.txt", text);
}

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

// Every mode's figure with every runner picked: what it draws, the boxes of the names and, in
// the position chart, the runners whose line misses a position they have (over a skipped
// control the line goes on).
constexpr const char* kModes = R"js((() => {
  const runners = JSON.parse(document.getElementById('qx-data').textContent).runners;
  document.querySelector('.qx-all').click();
  const out = {};
  for (const button of document.querySelectorAll('.qx-mode')) {
    button.click();
    const svg = document.querySelector('#qx-charts svg');
    const lines = svg ? [...svg.querySelectorAll('.qx-plot .qx-line')] : [];
    out[button.dataset.mode] = {
      figure: svg ? svg.querySelector('.qx-plot').innerHTML : '',
      marks: svg ? svg.querySelectorAll('.qx-plot [data-id]').length : 0,
      ticks: svg ? ['.qx-tick-x', '.qx-tick-y'].map(t => svg.querySelectorAll(t).length) : [],
      names: svg ? [...svg.querySelectorAll('.qx-name')].map(t => {
        const b = t.getBBox();
        return [b.x, b.y, b.width, b.height];
      }) : [],
      cut: button.dataset.mode !== 'pos' ? [] : lines.filter(l => {
        const r = runners.find(r => r.i === +l.dataset.id);
        return l.getAttribute('points').split(' ').length !== r.sr.filter(x => x > 0).length;
      }).map(l => +l.dataset.id)
    };
  }
  return out;
})())js";

// With every runner picked, each line drawn against the reference: its colour and dashes, whether
// its dashes keep their gaps, and the runner's swatch in the result list and in the split table.
constexpr const char* kSwatches = R"js((() => {
  const runners = JSON.parse(document.getElementById('qx-data').textContent).runners;
  document.querySelector('.qx-all').click();
  document.querySelector('.qx-mode[data-mode="ref"]').click();
  const swatch = (table, i) => {
    const style = getComputedStyle(
        document.querySelector(table + ' tr[data-i="' + i + '"] .qx-swatch'));
    return style.backgroundImage + ' ' + style.backgroundColor;
  };
  return [...document.querySelectorAll('#qx-charts svg .qx-line')].map(line => {
    const i = runners.findIndex(r => r.i === +line.dataset.id);
    const dash = line.getAttribute('stroke-dasharray');
    return {
      line: line.getAttribute('stroke') + ' ' + dash,
      gaps: !dash || getComputedStyle(line).strokeLinecap === 'butt',
      results: swatch('.qx-results', i),
      splits: swatch('.qx-splits', i)
    };
  });
})())js";

// Each column of the result list sorted both ways by clicks on its head: for each sort, the
// order of each two rows after another by the column's figure in the page's data (-1, 0 or 1, as
// a comparison gives it; 2 where a runner without the figure comes before one with it).
constexpr const char* kSorts = R"js((() => {
  const runners = JSON.parse(document.getElementById('qx-data').textContent).runners;
  const value = {rank: r => r.k ? +r.k : null, name: r => r.n, club: r => r.c, time: r => r.t,
    behind: r => r.t, lost: r => r.t === null ? null : r.mt};
  const out = {};
  for (const key of Object.keys(value)) {
    for (let n = 0; n < 2; n++) {
      const head = () => document.querySelector('.qx-results th[data-sort="' + key + '"]');
      head().click();
      const v = [...document.querySelectorAll('.qx-results tbody tr')].map(
          tr => value[key](runners[+tr.dataset.i]));
      out[key + ' ' + head().getAttribute('aria-sort')] = v.slice(1).map((b, i) => v[i] === null
          ? (b === null ? 0 : 2) : b === null ? 0
          : Math.sign(typeof b === 'string' ? v[i].localeCompare(b) : v[i] - b));
    }
  }
  return out;
})())js";

// The X/Y map of every runner: the ticks of both axes, each point in pixels, and the
// coordinates of the runners with a result time in the page's data.
constexpr const char* kMap = R"js((() => {
  document.querySelector('.qx-all').click();
  document.querySelector('.qx-mode[data-mode="map"]').click();
  const svg = document.querySelector('#qx-charts svg');
  const ticks = (selector, at) => [...svg.querySelectorAll(selector)].map(
      t => [+t.dataset.v, +t.getAttribute(at)]);
  const runners = JSON.parse(document.getElementById('qx-data').textContent).runners;
  return {
    x: ticks('.qx-tick-x', 'x1'),
    y: ticks('.qx-tick-y', 'y1'),
    points: [...svg.querySelectorAll('.qx-point')].map(
        c => [+c.dataset.id, +c.getAttribute('cx'), +c.getAttribute('cy')]),
    runners: Object.fromEntries(runners.filter(r => r.r.includes(':')).map(r => [r.i, [r.x, r.y]]))
  };
})())js";

// What the page is: its language, sections and links, how far it scrolls sideways, the result
// rows picked and pinned, the column heads aligned otherwise than their column's first cell,
// every text it shows as a label (with where a label could hide in an attribute), and the texts
// outside the data (names, clubs, classes) that hold Japanese.
constexpr const char* kPage = R"js((() => {
  const japanese = /[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef]/;
  const attributes = [...document.querySelectorAll('[placeholder], [aria-label]')].map(
      e => (e.getAttribute('placeholder') || '') + '|' + (e.getAttribute('aria-label') || ''));
  const texts = [];
  const walk = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  while (walk.nextNode()) {
    const node = walk.currentNode;
    if (!node.parentElement.closest('[translate="no"], script, noscript, style')) {
      texts.push(node.textContent);
    }
  }
  return {
    lang: document.documentElement.lang,
    sections: document.querySelectorAll('section').length,
    sideways: document.documentElement.scrollWidth - document.documentElement.clientWidth,
    pinned: document.querySelectorAll('.qx-results tr.qx-pinned').length,
    picked: document.querySelectorAll('.qx-results tr.qx-picked').length,
    links: [...document.querySelectorAll('a[href]')].map(a => a.href),
    misaligned: [...document.querySelectorAll('table')].flatMap(table => {
      const head = table.tHead ? table.tHead.rows[0] : null;
      const row = table.tBodies[0] ? table.tBodies[0].rows[0] : null;
      if (!head || !row || head.cells.length !== row.cells.length) return [];
      const align = cell => getComputedStyle(cell).textAlign;
      return [...head.cells].filter((th, i) => align(th) !== align(row.cells[i])).map(
          th => th.textContent);
    }),
    labels: [...[...document.querySelectorAll('[data-l]')].map(e => e.textContent), ...attributes],
    japanese: [...texts, ...attributes].filter(t => japanese.test(t))
  };
})())js";

bool Overlap(const json& a, const json& b) {
  constexpr double kSlack = 0.5;
  const auto apart = [](const json& p, const json& q, int at) {
    return p[at].get<double>() + p[at + 2].get<double>() <= q[at].get<double>() + kSlack;
  };
  return !(apart(a, b, 0) || apart(b, a, 0) || apart(a, b, 1) || apart(b, a, 1));
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
    const std::string program = qxtest::HeadlessBrowser::Find();
    if (program.empty()) {
      GTEST_SKIP() << "chromium is not installed (scripts/install-deps installs it): the web "
                      "viewer is not checked in a browser";
    }
    index_ = "file://" + qxtest::SampleOutput("web") + "/index.html";
    m21a_ = "file://" + qxtest::SampleOutput("web") + "/class_m21a.html";
    browser_ =
        std::make_unique<qxtest::HeadlessBrowser>(program, qxtest::MakeTempDir("chromium_profile"));
  }

  json Open(const std::string& url) {
    EXPECT_EQ(browser_->Open(url), "") << url;
    const json page = browser_->Evaluate(kPage);
    for (const auto& error : browser_->TakeErrors()) ADD_FAILURE() << url << ": " << error;
    return page;
  }

  // Clicks the page's button of the language.
  void Choose(const std::string& language) {
    browser_->Evaluate("document.querySelector('.qx-lang[data-lang=\"" + language +
                       "\"]').click()");
  }

  // The index and every page it links, in the language chosen on the index, laid out this wide.
  void OpenEveryPage(const std::string& language, int width) {
    SCOPED_TRACE(language + " at " + std::to_string(width) + " px");
    browser_->SetViewport(width, 900);
    Open(index_);
    Choose(language);
    const json index = Open(index_);
    EXPECT_LE(index["sideways"], 0);
    EXPECT_EQ(index["misaligned"], json::array());
    EXPECT_EQ(index["links"].size(), 11u);  // 5 classes, 2 shared courses, 4 segments
    for (const auto& url : index["links"]) {
      const json page = Open(url);
      EXPECT_EQ(page["lang"], language) << url;
      EXPECT_EQ(page["sections"], 4) << url;
      EXPECT_LE(page["sideways"], 0) << url;
      EXPECT_EQ(page["misaligned"], json::array()) << url;
      EXPECT_TRUE(language == "ja" || page["japanese"].empty()) << url;
    }
  }

  void CheckLanguageSwitch(const std::string& url) {
    const json japanese = Open(url)["labels"];
    Choose("en");
    const json english = browser_->Evaluate(kPage);
    ASSERT_EQ(english["labels"].size(), japanese.size()) << url;
    for (size_t i = 0; i < japanese.size(); ++i)
      EXPECT_NE(english["labels"][i], japanese[i]) << url;
    EXPECT_EQ(english["japanese"], json::array()) << url;
    Choose("ja");
    EXPECT_EQ(browser_->Evaluate(kPage)["labels"], japanese) << url;
  }

  void CheckCharts(const std::string& url) {
    Open(url);
    const json two = browser_->Evaluate(kPickTwo);
    EXPECT_EQ(two["picked"].size(), 2u);
    EXPECT_EQ(two["lines"], two["picked"]);
    const json modes = browser_->Evaluate(kModes);
    EXPECT_EQ(modes.size(), 7u);
    std::set<std::string> figures;
    for (const auto& [mode, chart] : modes.items()) {
      EXPECT_GT(chart["marks"], 0) << mode;
      EXPECT_EQ(chart["cut"], json::array()) << mode;
      figures.insert(chart["figure"].get<std::string>());
      const json& names = chart["names"];
      for (size_t i = 0; i < names.size(); ++i) {
        for (size_t j = i + 1; j < names.size(); ++j) {
          EXPECT_FALSE(Overlap(names[i], names[j])) << mode << ": " << names[i] << names[j];
        }
      }
    }
    EXPECT_EQ(figures.size(), modes.size());
    for (const auto& error : browser_->TakeErrors()) ADD_FAILURE() << url << ": " << error;
  }

  // Runners past the seventh share a colour and differ by their dashes: no two of their swatches
  // are alike unless their lines are.
  void CheckSwatches(const std::string& url) {
    Open(url);
    const json lines = browser_->Evaluate(kSwatches);
    EXPECT_GT(lines.size(), 14u);  // all three dash patterns
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_TRUE(lines[i]["gaps"]) << lines[i];
      EXPECT_EQ(lines[i]["results"], lines[i]["splits"]) << lines[i];
      for (size_t j = i + 1; j < lines.size(); ++j) {
        EXPECT_EQ(lines[i]["line"] == lines[j]["line"], lines[i]["results"] == lines[j]["results"])
            << lines[i] << lines[j];
      }
    }
  }

  void CheckSorts(const std::string& url) {
    Open(url);
    const json sorts = browser_->Evaluate(kSorts);
    EXPECT_EQ(sorts.size(), 12u) << sorts;  // six columns, each both ways
    for (const auto& [sort, steps] : sorts.items()) {
      const bool up = sort.ends_with("ascending");
      EXPECT_TRUE(std::ranges::any_of(steps, [](int s) { return s != 0; })) << sort;
      for (const int s : steps) EXPECT_TRUE(s != 2 && (up ? s <= 0 : s >= 0)) << sort << steps;
    }
    for (const auto& error : browser_->TakeErrors()) ADD_FAILURE() << url << ": " << error;
  }

  void CheckMap(const std::string& url) {
    Open(url);
    const json map = browser_->Evaluate(kMap);
    ASSERT_GE(map["x"].size(), 2u);
    ASSERT_GE(map["y"].size(), 2u);
    EXPECT_EQ(map["points"].size(), map["runners"].size());
    for (const auto& point : map["points"]) {
      const json& xy = map["runners"][point[0].dump()];
      ASSERT_TRUE(xy.is_array()) << point;
      EXPECT_NEAR(AxisValue(map["x"], point[1]), xy[0].get<double>(), 0.2) << point;
      EXPECT_NEAR(AxisValue(map["y"], point[2]), xy[1].get<double>(), 0.2) << point;
    }
  }

  // The viewer of a test data file, written in English; its folder as a file:// address.
  static std::string Viewer(const std::string& data) {
    const std::string dir = qxtest::MakeTempDir("web-" + data.substr(data.rfind('/') + 1));
    const auto run =
        qxtest::RunCli({"web", std::string(QX_TEST_DATA) + "/" + data, "-o", dir, "--lang", "en"});
    EXPECT_EQ(run.exit_code, 0) << data << ": " << run.err;
    return "file://" + dir;
  }

  std::string index_, m21a_;
  std::unique_ptr<qxtest::HeadlessBrowser> browser_;
};

TEST_F(WebInBrowser, SampleViewerFromFiles) {
  for (const char* language : {"en", "ja"}) {
    for (const int width : {360, 1280}) OpenEveryPage(language, width);
  }
  CheckLanguageSwitch(index_);
  CheckLanguageSwitch(m21a_);
  CheckCharts(m21a_);
  CheckCharts(index_.substr(0, index_.rfind('/')) + "/class_w21a.html");  // skipped controls
  CheckCharts(index_.substr(0, index_.rfind('/')) + "/segment_169-136-103.html");
  CheckMap(m21a_);
  CheckSwatches(m21a_);
  CheckSorts(m21a_);

  // A runner named in the link (as the index's search links them) is the one runner picked, and
  // pinned.
  Open(index_);
  const json linked = Open(m21a_ + "#r=5");
  EXPECT_EQ(linked["picked"], 1);
  EXPECT_EQ(linked["pinned"], 1);
}

// The chart modes, after picking every runner and after picking none, whose box draws nothing:
// what it says instead ("empty" when it says nothing).
constexpr const char* kNothingToDraw = R"js((() => {
  const out = [];
  for (const pick of ['all', 'none']) {
    document.querySelector('.qx-' + pick).click();
    for (const button of document.querySelectorAll('.qx-mode')) {
      button.click();
      const chart = document.querySelector('#qx-charts .qx-chart');
      const note = chart.querySelector('.qx-note');
      if (note || !chart.querySelector('svg .qx-plot > *')) {
        out.push(pick + ' ' + button.dataset.mode + ': ' + (note ? note.textContent : 'empty'));
      }
    }
  }
  return out;
})())js";

// The name of the result list's first runner, in the list and beside his line in the chart.
constexpr const char* kWinnerNames = R"js((() => {
  const row = document.querySelector('.qx-results tbody tr');
  const serial = JSON.parse(document.getElementById('qx-data').textContent).runners[+row.dataset.i].i;
  return [row.querySelector('.qx-name span').textContent,
          document.querySelector('#qx-charts .qx-name[data-id="' + serial + '"]').textContent];
})())js";

// Pages with nothing to show say so, in the page's language. A class without runners, also after
// the window changes size. Runners the analysis leaves out for having no legs (a result without
// splits, a non-starter) are still listed and counted, in every table, and every chart draws
// with them picked; a chart with nothing to draw (no runner picked, no start times, a class of
// runners without legs) says so. An event without classes says so on its index. Names whose family
// and given names the file gave apart follow the language switch.
TEST_F(WebInBrowser, PagesOfOtherEvents) {
  const std::string legless = Viewer("cli/no-legs.lxm");
  Open(legless + "/class_m21.html");
  const json rows = browser_->Evaluate(
      "[...document.querySelectorAll('table.qx-table')].map(t => t.tBodies[0].rows.length)");
  EXPECT_EQ(rows, json::parse("[4, 4, 3]"));  // results, splits, leg statistics (2 legs, total)
  EXPECT_EQ(browser_->Evaluate(kModes).size(), 7u);
  const std::string none = ": No data to show for this chart";
  EXPECT_EQ(browser_->Evaluate(kNothingToDraw),
            json({"all clock" + none, "none ref" + none, "none best" + none, "none clock" + none,
                  "none pos" + none, "none loss" + none}));
  Open(legless + "/class_w21.html");
  Choose("ja");
  json japanese = json::array();
  for (const char* pick : {"all", "none"}) {
    for (const char* mode : {"ref", "best", "clock", "pos", "loss", "cruise", "map"}) {
      japanese.push_back(std::string(pick) + " " + mode +
                         ": このグラフに表示するデータがありません");
    }
  }
  EXPECT_EQ(browser_->Evaluate(kNothingToDraw), japanese);
  for (const auto& error : browser_->TakeErrors()) ADD_FAILURE() << error;

  Open(Viewer("cli/empty-class.lxm") + "/class_m21.html");
  browser_->SetViewport(360, 900);
  // The page's time, not ours: the resize comes with the next frames and the chart waits 150 ms.
  browser_->Evaluate(
      "new Promise(r => requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(r, "
      "400))))");
  EXPECT_EQ(browser_->Evaluate("document.querySelector('.qx-note').dataset.l"), "選手がいません");

  Open(Viewer("cli/no-classes.lxm") + "/index.html");  // in Japanese, chosen above
  const std::string note = "document.querySelector('.qx-note')?.textContent ?? 'nothing'";
  EXPECT_EQ(browser_->Evaluate(note), "この大会にはクラスがありません");
  Choose("en");
  EXPECT_EQ(browser_->Evaluate(note), "This event holds no classes");

  const std::string iof = Viewer("iof/individual-3.0.xml");
  Open(iof + "/class_m21.html");
  EXPECT_EQ(browser_->Evaluate(kWinnerNames), json({"Aino Ahola", "Aino Ahola"}));
  Choose("ja");
  EXPECT_EQ(browser_->Evaluate(kWinnerNames), json({"Ahola Aino", "Ahola Aino"}));
  // Miss rates under 1 % get a scale of their own; a finisher who lost no time is a point of the
  // cruise chart.
  Open(iof + "/class_open.html");
  EXPECT_GE(browser_->Evaluate(kModes)["cruise"]["ticks"][1], 3);
  Open(Viewer("web/tricky.lxm") + "/class_codes.html");
  EXPECT_EQ(browser_->Evaluate(kModes)["cruise"]["marks"], 3);
  Open(iof + "/index.html");
  EXPECT_EQ(browser_->Evaluate("document.querySelector('.qx-winner span').textContent"),
            "Ahola Aino");
  for (const auto& error : browser_->TakeErrors()) ADD_FAILURE() << error;
}

}  // namespace
