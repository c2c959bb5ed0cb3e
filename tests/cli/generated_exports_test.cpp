// The event generator's exports in other programs' formats load back to the runners it made:
// same names, results and leg times as the native file of the same seed (skipped controls and
// missing punches taken as one: the exports do not tell them apart).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <quorvex2/quorvex2.h>

#include "cli_run.h"

namespace {

struct Runner {
  std::string result;
  std::vector<int> legs;  // seconds
  bool operator==(const Runner&) const = default;
};

std::string Generate(const std::string& dir, const std::string& format) {
  const std::string out = dir + "/event-" + (format.empty() ? "native.lxm" : format + ".txt");
  std::string command = std::string(QX_GENERATE_PATH) + " --seed 11 --classes 8 -o " + out;
  if (!format.empty()) command += " --format " + format;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return out;
}

// Runners with a result time, by class and name.
std::map<std::string, Runner> Finishers(const std::string& file) {
  quorvex2::clsQuorvex2 root;
  EXPECT_TRUE(root.FileControl()->LoadLapFile(file)) << file << ": " << root.ErrorComment();
  std::map<std::string, Runner> runners;
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    auto data = root.ClassData(c);
    for (int32_t i = 1; i <= data->LapCount(); ++i) {
      auto lap = data->LapData(i);
      if (!quorvex2::IsValidTime(lap->Result())) continue;
      Runner runner{lap->Result(), {}};
      for (int32_t k = 1; k <= lap->LegCount(); ++k) {
        // A skipped control and a missing punch read alike from exports without that difference.
        const double leg = lap->LapValue(k);
        runner.legs.push_back(leg < 0 ? -1 : static_cast<int>(std::lround(leg * 86400.0)));
      }
      runners[data->ClassName() + "/" + lap->RunnerName] = runner;
    }
  }
  return runners;
}

TEST(GeneratedExports, EveryFormatLoadsTheSameFinishers) {
  const std::string dir = qxtest::MakeTempDir("generated_exports");
  const auto native = Finishers(Generate(dir, ""));
  ASSERT_GT(native.size(), 50u);
  for (const char* format : {"sportident", "oevent", "csv"}) {
    const auto loaded = Finishers(Generate(dir, format));
    EXPECT_EQ(loaded.size(), native.size()) << format;
    size_t differing = 0;
    for (const auto& [key, runner] : native) {
      // The CSV table holds the analysis' modified split times: a skipped control has a time.
      const bool skipped =
          std::find(runner.legs.begin(), runner.legs.end(), -1) != runner.legs.end();
      if (skipped && std::string(format) == "csv") continue;
      auto found = loaded.find(key);
      if (found == loaded.end() || !(found->second == runner)) {
        if (++differing <= 3) ADD_FAILURE() << format << ": " << key << " differs or is missing";
      }
    }
    EXPECT_EQ(differing, 0u) << format;
  }
}

// Every runner of a lap file, by class and name key: result, club, bib, card, start and legs.
std::map<std::string, std::string> EveryRunner(const std::string& file) {
  quorvex2::clsQuorvex2 root;
  EXPECT_TRUE(root.FileControl()->LoadLapFile(file)) << file << ": " << root.ErrorComment();
  std::map<std::string, std::string> runners;
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    auto data = root.ClassData(c);
    for (int32_t i = 1; i <= data->LapCount(); ++i) {
      auto lap = data->LapData(i);
      std::string text = lap->Result() + " " + lap->ClubName + " " + std::to_string(lap->ID) + " " +
                         std::to_string(lap->Ecard) + " " + lap->StartTime.ToString("hh:nn:ss");
      for (int32_t k = 1; k <= lap->LegCount(); ++k) {
        const double leg = lap->LapValue(k);
        text +=
            " " + std::to_string(leg <= 0 ? static_cast<long>(leg) : std::lround(leg * 86400.0));
      }
      // Family and given name come back joined by one kind of space.
      runners[data->ClassName() + "/" + quorvex2::MakeNameKey(lap->RunnerName)] = text;
    }
  }
  return runners;
}

TEST(GeneratedExports, Iof3ListKeepsEveryRunner) {
  const std::string dir = qxtest::MakeTempDir("generated_iof3");
  const std::string xml = dir + "/event-iof3.xml";
  const std::string command =
      std::string(QX_GENERATE_PATH) + " --seed 11 --classes 8 --type 8 -o " + xml;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const auto native = EveryRunner(Generate(dir, ""));
  const auto loaded = EveryRunner(xml);
  ASSERT_EQ(loaded.size(), native.size());
  size_t differing = 0;
  for (const auto& [key, runner] : native) {
    auto found = loaded.find(key);
    const std::string got = found == loaded.end() ? "(missing)" : found->second;
    if (got != runner && ++differing <= 3) ADD_FAILURE() << key << ": " << runner << " / " << got;
  }
  EXPECT_EQ(differing, 0u);
}

}  // namespace
