// The event generator's exports in other programs' formats load back to the runners it made: the
// same results and leg times as the native file of the same seed (a skipped control and a missing
// punch taken as one where the format does not tell them apart), and from the IOF 3.0 list every
// runner with club, bib, card and start as well.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include <quorvex2/quorvex2.h>

#include "cli_run.h"

namespace {

std::string Generate(const std::string& file, const std::string& options) {
  const std::string command =
      std::string(QX_GENERATE_PATH) + " --seed 11 --classes 8 -o " + file + " " + options;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return file;
}

// The runners of a lap file by class and name key, as "result leg leg ..." in whole seconds;
// with `details` every runner, with club, bib, card and start, and the codes of legs without a
// time; else only those with a result time, and -1 for a leg without one.
std::map<std::string, std::string> Runners(const std::string& file, bool details) {
  quorvex2::clsQuorvex2 root;
  EXPECT_TRUE(root.FileControl()->LoadLapFile(file)) << file << ": " << root.ErrorComment();
  std::map<std::string, std::string> runners;
  for (int32_t c = 1; c <= root.ClassCount(); ++c) {
    const auto data = root.ClassData(c);
    for (int32_t i = 1; i <= data->LapCount(); ++i) {
      const auto lap = data->LapData(i);
      if (!details && !quorvex2::IsValidTime(lap->Result())) continue;
      std::string text = lap->Result();
      if (details) {
        text += " " + lap->ClubName + " " + std::to_string(lap->ID) + " " +
                std::to_string(lap->Ecard) + " " + lap->StartTime.ToString("hh:nn:ss");
      }
      for (int32_t k = 1; k <= lap->LegCount(); ++k) {
        const double leg = lap->LapValue(k);
        text += " " + std::to_string(leg > 0               ? std::lround(leg * 86400.0)
                                     : details || leg == 0 ? static_cast<long>(leg)
                                                           : -1);
      }
      runners[data->ClassName() + "/" + quorvex2::MakeNameKey(lap->RunnerName)] = text;
    }
  }
  return runners;
}

TEST(GeneratedExports, EveryFormatLoadsTheSameRunners) {
  const std::string dir = qxtest::MakeTempDir("generated_exports");
  const std::string native = Generate(dir + "/native.lxm", "");
  const struct {
    const char* file;
    const char* options;
    bool details;
  } cases[] = {
      {"sportident.txt", "--format sportident", false},
      {"oevent.txt", "--format oevent", false},
      {"table.csv", "--format csv", false},
      {"iof3.xml", "--type 8", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const auto expected = Runners(native, c.details);
    ASSERT_GT(expected.size(), 50u);
    const auto loaded = Runners(Generate(dir + "/" + c.file, c.options), c.details);
    EXPECT_EQ(loaded.size(), expected.size());
    size_t differing = 0;
    for (const auto& [key, runner] : expected) {
      // The CSV table holds the analysis' modified split times: a skipped control has a time.
      if (std::string(c.file) == "table.csv" && qxtest::Contains(runner + " ", " -1 ")) continue;
      const auto found = loaded.find(key);
      const std::string got = found == loaded.end() ? "(missing)" : found->second;
      if (got != runner && ++differing <= 3) ADD_FAILURE() << key << ": " << runner << " / " << got;
    }
    EXPECT_EQ(differing, 0u);
  }
}

}  // namespace
