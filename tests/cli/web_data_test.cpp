// quorvex2 web: the figures each page of the sample event's viewer embeds, for every class, shared
// course and segment, runner by runner and leg by leg, compared whole with a golden file: a line
// for each of a page's keys and one for each runner.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "cli_run.h"

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
    for (const auto& runner : page["runners"]) text += runner.dump() + "\n";
  }
  qxtest::ExpectGolden("golden/cli/web-data.txt", text);
}

}  // namespace
