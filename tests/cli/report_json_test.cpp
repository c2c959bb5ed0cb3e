// quorvex2 report json: the figures read back unchanged, the data-set selection and the errors.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <quorvex2/quorvex2.h>
#include <nlohmann/json.hpp>

#include "cli_run.h"

namespace {

using nlohmann::json;

using qxtest::kFixture;

json ReportJson(const std::vector<std::string>& options) {
  std::vector<std::string> args{"report", "json", kFixture};
  args.insert(args.end(), options.begin(), options.end());
  const std::string out = qxtest::RunOk(args);
  return out.empty() ? json::object() : json::parse(out);
}

const json& Runner(const json& report, const std::string& name) {
  for (const auto& runner : report["runners"]) {
    if (runner["name"] == name) return runner;
  }
  ADD_FAILURE() << "no runner " << name;
  static const json none = json::object();
  return none;
}

// A figure of the report equals the stored one bit for bit.
void ExpectSame(const json& figure, double stored, const std::string& what) {
  ASSERT_TRUE(figure.is_number()) << what;
  EXPECT_EQ(figure.get<double>(), stored) << what;
}

// The same data set analysed in this process, figure by figure against the report.
TEST(ReportJson, EveryStoredFigureReadsBackUnchanged) {
  const json report = ReportJson({"--class", "M21", "--extra", "--tovarine"});
  quorvex2::clsQuorvex2 root;
  ASSERT_TRUE(root.FileControl()->LoadLapFile(kFixture)) << root.ErrorComment();
  auto analyzer = root.NewAnalyzer();
  analyzer->AddClass("M21");
  analyzer->Execute();
  analyzer->ExtraAnalyze();
  analyzer->Tovarine();

  ASSERT_EQ(report["runners"].size(), static_cast<size_t>(analyzer->Count()));
  ASSERT_EQ(report["legs"].size(), 4u);
  auto general = analyzer->GeneralData();
  ExpectSame(report["upperLapTotal"], general->UpperLapTotal(), "upperLapTotal");
  for (int32_t k = 1; k <= 4; ++k) {
    const json& leg = report["legs"][k - 1];
    EXPECT_EQ(leg["leg"], k);
    ExpectSame(leg["upperLapAverage"], general->UpperLapAverage(k), "upperLapAverage");
    ExpectSame(leg["legLength"], general->LegLength(k), "legLength");
    ExpectSame(leg["legDifficulty"], general->LegDifficulty(k)->StoredValue(), "legDifficulty");
    EXPECT_EQ(static_cast<float>(leg["legLength"].get<double>()), general->LegLength(k));
  }
  for (int32_t i = 1; i <= analyzer->Count(); ++i) {
    const json& r = report["runners"][i - 1];
    auto& a = *analyzer->Item(i);
    const std::string who = a.RunnerName();
    EXPECT_EQ(r["name"], who);
    EXPECT_EQ(r["result"], a.Result());
    EXPECT_EQ(r["rank"], a.Rank());
    ExpectSame(r["startTime"], a.StartTime(), who + " startTime");
    ExpectSame(r["cruiseSpeed"], a.CruiseSpeed().StoredValue(), who + " cruiseSpeed");
    ExpectSame(r["secondHalfCruiseSpeed"], a.SecondHalfCruiseSpeed().StoredValue(), who);
    ExpectSame(r["missTimeTotal"], a.MissTimeTotal().StoredValue(), who + " missTimeTotal");
    ExpectSame(r["missRate"], a.MissRate().StoredValue(), who + " missRate");
    ExpectSame(r["totalTimeWithoutMiss"], a.TotalTimeWithoutMiss().Value(), who);
    ExpectSame(r["tovarineX"], a.TovarineX(), who + " tovarineX");
    ExpectSame(r["tovarineY"], a.TovarineY(), who + " tovarineY");
    for (int32_t k = 1; k <= 4; ++k) {
      const json& leg = r["legs"][k - 1];
      const std::string at = who + " leg " + std::to_string(k);
      ExpectSame(leg["lapTime"], a.LapTime(k)->Value(), at + " lapTime");
      ExpectSame(leg["splitTime"], a.SplitTime(k)->Value(), at + " splitTime");
      ExpectSame(leg["modifiedLapTime"], a.ModifiedLapTime(k)->Value(), at);
      ExpectSame(leg["modifiedSplitRank"], a.ModifiedSplitRank(k)->Value(), at);
      ExpectSame(leg["lapRelative"], a.LapRelative(k)->StoredValue(), at + " lapRelative");
      ExpectSame(leg["missTime"], a.MissTime(k)->StoredValue(), at + " missTime");
      EXPECT_EQ(leg["totalLapTo"], a.TotalLapTo(k)) << at;
      EXPECT_EQ(leg["isValidSplitTime"], a.IsValidSplitTime(k)) << at;
    }
  }
}

// Without --extra and --tovarine their figures were never computed.
TEST(ReportJson, DataSetHeadAndFiguresNeverComputed) {
  const json report = ReportJson({});
  EXPECT_EQ(report["dataSet"],
            json::parse(R"({"name":"M21","fileName":"m21","isMix":false,"controlCount":3,
                            "length":4200,"climb":150,"cutOffRank":0,"isExecuted":true})"));
  EXPECT_EQ(report["legs"][0]["upper"].size(), 6u);
  EXPECT_EQ(report["legs"][0]["legDifficulty"], 0);
  EXPECT_EQ(Runner(report, "Erik Berg")["tovarineX"], 0);
  EXPECT_EQ(Runner(report, "Erik Berg")["firstHalfCruiseSpeed"], 0);
}

TEST(ReportJson, DataSetSelection) {
  const std::map<std::vector<std::string>, std::pair<std::string, size_t>> cases{
      {{"--class", "W21"}, {"W21", 3}},
      {{"--class", "2"}, {"W21", 3}},
      {{"--class", "M40", "--class", "1"}, {"M40/M21", 9}},
      {{"--course", "1"}, {"M21/W21", 9}},
      {{"--course", "2"}, {"M40", 3}},
      {{"--segment", "S-101-102"}, {"S-101-102", 12}},
      {{"--segment", "S-101-102", "--sex", "F"}, {"S-101-102 - F", 3}},
  };
  for (const auto& [options, expected] : cases) {
    const json report = ReportJson(options);
    EXPECT_EQ(report["dataSet"]["name"], expected.first) << options[1];
    EXPECT_EQ(report["runners"].size(), expected.second) << options[1];
  }
  const json mixed = ReportJson({"--class", "M21", "--class", "W21"});
  EXPECT_EQ(mixed["dataSet"]["isMix"], true);
  EXPECT_EQ(mixed["dataSet"]["fileName"], "m21_w21");
  const json segment = ReportJson({"--segment", "S-101-102", "--sex", "F"});
  EXPECT_EQ(segment["dataSet"]["controlCount"], 1);
  EXPECT_EQ(segment["legs"].size(), 2u);
}

TEST(ReportJson, OutputFileAndEncoding) {
  const auto file = qxtest::MakeTempDir("report-json") + "/m21.json";
  const std::string utf8 = qxtest::RunOk({"report", "json", kFixture});
  const std::string sjis = qxtest::RunOk({"report", "json", kFixture, "--encoding", "shift_jis"});
  EXPECT_TRUE(sjis == quorvex2::Utf8ToSjis(utf8) && sjis != utf8);
  EXPECT_EQ(qxtest::RunOk({"report", "json", kFixture, "-o", file, "--encoding", "shift_jis"}), "");
  EXPECT_TRUE(qxtest::ReadFile(file) == sjis) << "the file is not what standard output shows";
}

TEST(ReportJson, InvalidUtf8InTextsBecomesReplacementCharacters) {
  const std::string file = qxtest::WriteFile(
      qxtest::MakeTempDir("report-json-utf8"), "damaged.lxm",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quorvex><event name=\"Cup\"/><classes>"
      "<class name=\"M\xff"
      "21\" controls=\"0\"><runner name=\"Ab\xff\xfe\" club=\"\xc3\" "
      "result=\"0:01:00\"><leg index=\"1\" laptime=\"00:01:00\"/></runner></class></classes>"
      "</quorvex>");
  const auto result = qxtest::RunCli({"report", "json", file});
  ASSERT_EQ(result.exit_code, 0) << result.err;
  const json report = json::parse(result.out);
  EXPECT_EQ(report["dataSet"]["name"], "M\uFFFD21");
  EXPECT_EQ(report["runners"][0]["name"], "Ab\uFFFD\uFFFD");
  EXPECT_EQ(report["runners"][0]["club"], "\uFFFD");
}

}  // namespace
