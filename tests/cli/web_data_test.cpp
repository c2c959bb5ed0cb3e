// quorvex2 web: the figures each page embeds are those `report json` gives for the same data set,
// for every class, shared course and segment of the sample event, runner by runner and leg by
// leg (times in whole seconds, percentages as the pages print them).
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli_run.h"

namespace {

using nlohmann::json;

constexpr double kDay = 86400.0;

json EmbeddedData(const std::string& page) {
  const std::string open = "<script type=\"application/json\" id=\"qx-data\">";
  const size_t start = page.find(open);
  const size_t end = page.find("</script>", start);
  if (start == std::string::npos || end == std::string::npos) return json::object();
  return json::parse(page.substr(start + open.size(), end - start - open.size()));
}

// The report of the page's data set: a class, the classes of a shared course, or a segment.
json Report(const json& set) {
  std::vector<std::string> args{"report", "json", qxtest::kSample, "--extra", "--tovarine"};
  if (set["kind"] == "segment") {
    args.insert(args.end(), {"--segment", set["name"]});
  } else if (set["kind"] == "class") {
    args.insert(args.end(), {"--class", set["name"]});
  } else {
    for (const auto& name : set["classes"]) args.insert(args.end(), {"--class", name});
  }
  const std::string out = qxtest::RunOk(args);
  return out.empty() ? json::object() : json::parse(out);
}

// A time of the page against a stored time in days: whole seconds (a time lost negative too),
// "s" for the skip code; a disqualified leg "d" as a time, null as a time lost; no data null as a
// time, the not-computed -10 null as a time lost.
void ExpectTime(const json& shown, double days, const std::string& what, bool lost = false) {
  const bool seconds = lost ? days != -10 && days != -2 && days != -1 : days > 0;
  if (seconds) {
    ASSERT_TRUE(shown.is_number()) << what << ": " << shown;
    EXPECT_NEAR(shown.get<double>(), days * kDay, 0.5) << what;
  } else {
    EXPECT_EQ(shown, days == -1 ? json("s") : days == -2 && !lost ? json("d") : json()) << what;
  }
}

// A ratio as a percentage with one decimal; null for 0 and the codes.
void ExpectPercent(const json& shown, double ratio, const std::string& what) {
  if (ratio <= 0) {
    EXPECT_TRUE(shown.is_null()) << what << ": " << shown;
  } else {
    ASSERT_TRUE(shown.is_number()) << what << ": " << shown;
    EXPECT_NEAR(shown.get<double>(), ratio * 100, 0.05 + 1e-4) << what;
  }
}

double ResultSeconds(const std::string& result) {
  std::smatch m;
  if (!std::regex_match(result, m, std::regex(R"((\d+):(\d\d):(\d\d))"))) return -1;
  return std::stoi(m[1]) * 3600 + std::stoi(m[2]) * 60 + std::stoi(m[3]);
}

void ExpectRunner(const json& shown, const json& stored, bool mix) {
  const std::string who = stored["name"];
  EXPECT_EQ(shown["i"], stored["serialNum"]) << who;
  EXPECT_EQ(shown["n"], stored["name"]);
  EXPECT_EQ(shown["c"], stored["club"]) << who;
  EXPECT_EQ(shown["r"], stored["result"]) << who;
  EXPECT_EQ(shown["k"], mix ? stored["rankInDataSet"] : stored["rank"]) << who;
  const double result = ResultSeconds(stored["result"]);
  EXPECT_EQ(shown["t"], result >= 0 ? json(result) : json()) << who;
  ExpectTime(shown["s"], stored["startTime"], who + " start");
  ExpectPercent(shown["cs"], stored["cruiseSpeed"], who + " cruise speed");
  ExpectPercent(shown["c1"], stored["firstHalfCruiseSpeed"], who + " first part");
  ExpectPercent(shown["c2"], stored["secondHalfCruiseSpeed"], who + " last part");
  ExpectPercent(shown["mr"], stored["missRate"], who + " miss rate");
  ExpectPercent(shown["tr"], stored["totalTimeRelative"], who + " against the reference");
  ExpectTime(shown["mt"], stored["missTimeTotal"], who + " time lost", true);
  ExpectTime(shown["wm"], stored["totalTimeWithoutMiss"], who + " without losses");
  EXPECT_NEAR(shown["x"].get<double>(), stored["tovarineX"].get<double>(), 0.005) << who;
  EXPECT_NEAR(shown["y"].get<double>(), stored["tovarineY"].get<double>(), 0.005) << who;
  const json& legs = stored["legs"];
  ASSERT_EQ(shown["lap"].size(), legs.size()) << who;
  for (size_t k = 0; k < legs.size(); ++k) {
    const std::string leg = who + " leg " + std::to_string(k + 1);
    ExpectTime(shown["lap"][k], legs[k]["lapTime"], leg);
    ExpectTime(shown["sp"][k], legs[k]["splitTime"], leg + " split");
    EXPECT_EQ(shown["lr"][k], legs[k]["lapRank"]) << leg;
    EXPECT_EQ(shown["sr"][k], legs[k]["splitRank"]) << leg;
    ExpectTime(shown["mi"][k], legs[k]["missTime"], leg + " lost", true);
    const double split = legs[k]["splitTime"], modified = legs[k]["modifiedSplitTime"];
    if (shown.contains("ms")) {
      ExpectTime(shown["ms"][k], modified > 0 ? modified : 0, leg + " chart time");
    } else {
      EXPECT_TRUE(modified > 0 ? split == modified : split <= 0) << leg << " chart time";
    }
  }
}

void ExpectLegs(const json& page, const json& report) {
  const json& legs = report["legs"];
  ASSERT_EQ(page["legs"]["ref"].size(), legs.size());
  EXPECT_NEAR(page["refTotal"].get<double>(), report["upperLapTotal"].get<double>() * kDay, 0.5);
  for (size_t k = 0; k < legs.size(); ++k) {
    const std::string leg = "leg " + std::to_string(k + 1);
    EXPECT_NEAR(page["legs"]["ref"][k].get<double>(),
                legs[k]["upperLapAverage"].get<double>() * kDay, 0.5)
        << leg;
    EXPECT_NEAR(page["legs"]["len"][k].get<double>(), legs[k]["legLength"].get<double>() * 100,
                0.05 + 1e-4)
        << leg;
    EXPECT_NEAR(page["legs"]["dif"][k].get<double>(), legs[k]["legDifficulty"].get<double>() * 100,
                0.5 + 1e-4)
        << leg;
    std::vector<int> upper;
    for (const auto& index : page["legs"]["top"][k]) {
      upper.push_back(page["runners"][index.get<size_t>()]["i"]);
    }
    EXPECT_EQ(upper, legs[k]["upper"].get<std::vector<int>>()) << leg;
  }
}

TEST(WebData, EveryPageCarriesTheAnalysisOfItsDataSet) {
  const std::string dir = qxtest::SampleOutput("web");
  const json index = EmbeddedData(qxtest::ReadFile(dir + "/index.html"));
  // 5 classes, 2 shared courses and 4 segments.
  ASSERT_EQ(index["entries"].size(), 11u);
  for (const auto& entry : index["entries"]) {
    SCOPED_TRACE(entry["page"].get<std::string>());
    const json page = EmbeddedData(qxtest::ReadFile(dir + "/" + entry["page"].get<std::string>()));
    const json report = Report(page["set"]);
    EXPECT_EQ(page["set"]["name"], report["dataSet"]["name"]);
    EXPECT_EQ(page["set"]["controls"], report["dataSet"]["controlCount"]);
    EXPECT_EQ(page["set"]["mix"], report["dataSet"]["isMix"]);
    EXPECT_EQ(entry["runners"], report["runners"].size());
    ExpectLegs(page, report);
    ASSERT_EQ(page["runners"].size(), report["runners"].size());
    for (size_t i = 0; i < page["runners"].size(); ++i) {
      ExpectRunner(page["runners"][i], report["runners"][i], page["set"]["mix"]);
    }
  }
}

}  // namespace
