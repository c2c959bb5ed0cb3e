// The IOF XML ResultLists we write, 2.0.3 and 3.0: the exact documents, what reads back from
// them, and the verdicts of the published DTD and schema.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "files/files_test_support.h"
#include "quorvex2/quorvex2.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

// Loads the event to write, a native file of tests/data/iof that says what it holds.
void FillEvent(clsQuorvex2& root, const std::string& version) {
  ASSERT_TRUE(root.FileControl()->LoadLapFile(qxtest::IofTestFile("to-write-" + version + ".lxm")));
  if (version == "3.0") root.EventData()->TimeZone = "+09:00";
}

std::string Save(clsQuorvex2& root, const std::string& name, int32_t type) {
  const std::string path = qxtest::TempPath(name);
  EXPECT_TRUE(root.FileControl()->SaveLapFile(path, type));
  return path;
}

std::string Validate(const std::string& path, const std::string& against) {
  return qxtest::RunCommand("xmllint --noout " + against + " '" + path + "' 2>&1");
}

std::string Schema() {
  return "--schema '" + qxtest::IofTestFile("IOF.xsd") + "'";
}

// Both documents as written, an element a line.
TEST(IofWriters, WriteTheExpectedDocuments) {
  ::setenv("SOURCE_DATE_EPOCH", "1779091200", 1);  // 2026-05-18, the 3.0 list's createTime
  for (const int32_t type : {QX_FILETYPE_IOF_XML_20_RESULT, QX_FILETYPE_IOF_XML_30_RESULT}) {
    const bool v2 = type == QX_FILETYPE_IOF_XML_20_RESULT;
    const std::string name = v2 ? "written-2.0.3.xml" : "written-3.0.xml";
    SCOPED_TRACE(name);
    clsQuorvex2 root;
    FillEvent(root, v2 ? "2.0.3" : "3.0");
    const std::string written = qxtest::ReadFile(Save(root, name, type));
    qxtest::ExpectGolden("golden/files/iof/" + name, ReplaceAll(written, "><", ">\n<"));
  }
  ::unsetenv("SOURCE_DATE_EPOCH");
}

// ".xml" saves as 2.0.3.
TEST(IofWriters, Only203ClubCountryDeviatesFromTheDtd) {
  clsQuorvex2 root;
  FillEvent(root, "2.0.3");
  root.EventData()->OfficialSite = "http://example.org/";
  const std::string path = Save(root, "results.xml", QX_FILETYPE_AUTODETECT);
  std::istringstream lines(
      Validate(path, "--dtdvalid '" + qxtest::IofTestFile("IOFdata.dtd") + "'"));
  int club_errors = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.find("error") == std::string::npos) continue;
    EXPECT_NE(line.find("Element Club content does not follow the DTD"), std::string::npos) << line;
    ++club_errors;
  }
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(path.c_str()));
  EXPECT_EQ(club_errors, static_cast<int>(doc.select_nodes("//PersonResult").size()));
}

// The event as EventText writes it, less what a list does not carry back: the event line (an
// undated event is given the day the list is written), legs without data at the end and the
// sex as we spell it.
std::string CarriedBack(const clsQuorvex2& root) {
  std::string text = qxtest::EventText(root);
  text.erase(0, text.find('\n'));
  while (text.find(" －|") != std::string::npos) text = ReplaceAll(text, " －|", "|");
  return ReplaceAll(text, "|男|", "|M|");
}

// The 3.0 list gives back every figure. The 2.0.3 list has no status of its own for a runner
// without a time, no place for a split without one and a single given name, so its runners come
// back otherwise, as the expected event says.
TEST(IofWriters, OurEventsReadBack) {
  clsQuorvex2 v2;
  FillEvent(v2, "2.0.3");
  qxtest::ExpectGolden("golden/files/iof/written-2.0.3.xml.txt",
                       qxtest::LoadedEvent(Save(v2, "back.xml", QX_FILETYPE_IOF_XML_20_RESULT)));

  clsQuorvex2 root;
  FillEvent(root, "3.0");
  const std::string path = Save(root, "round.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  clsQuorvex2 back;
  ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
  EXPECT_EQ(back.ErrorComment(), "");
  EXPECT_EQ(CarriedBack(back), CarriedBack(root));
}

TEST(IofWriters, Our3ListValidatesAgainstThePublishedSchema) {
  clsQuorvex2 root;
  FillEvent(root, "3.0");
  root.ClassData("M21")->LapData(1)->RunnerName = "Solo";  // an empty Given name
  root.AddClass("Empty");
  const std::string path = Save(root, "valid.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(Validate(path, Schema()), path + " validates\n");

  // An event without a date: start times on the day the list is written, never on day 0.
  clsQuorvex2 undated;
  auto early = undated.AddClass("M21")->AddLap();
  early->RunnerName = "Early Eve";
  early->Result("0:30:00");
  early->StartTime.Value(0.25);
  const std::string undated_path = Save(undated, "undated.xml", QX_FILETYPE_IOF_XML_30_RESULT);
  EXPECT_EQ(Validate(undated_path, Schema()), undated_path + " validates\n");
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file(undated_path.c_str()));
  const std::string created = doc.child("ResultList").attribute("createTime").value();
  EXPECT_EQ(doc.select_node("//Result/StartTime").node().text().as_string(),
            created.substr(0, 10) + "T06:00:00");
  EXPECT_FALSE(doc.child("ResultList").child("Event").child("StartTime"));
}

// What a user gets from convert --to iof3: every runner of our IOF lists comes back as read,
// in a file the schema accepts, with a time only for those who have one.
TEST(IofWriters, OurListsComeBackThrough3) {
  const struct {
    const char* file;
    std::vector<std::string> untimed;  // runners without a Time element
  } cases[] = {
      {"individual-3.0.xml", {"Falk", "Gran", "Eklund"}},
      {"relay-2.0.3.xml", {"Fox"}},
      {"list-2.0.3.xml", {"114", "132"}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.file);
    clsQuorvex2 read;
    ASSERT_TRUE(read.FileControl()->LoadLapFile(qxtest::IofTestFile(row.file)));
    const std::string path =
        Save(read, std::string("round-") + row.file, QX_FILETYPE_IOF_XML_30_RESULT);
    EXPECT_EQ(Validate(path, Schema()), path + " validates\n");
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(path.c_str()));
    std::vector<std::string> untimed;
    for (const auto& node : doc.select_nodes("//PersonResult[not(Result/Time)]")) {
      untimed.push_back(node.node().child("Person").child("Name").child_value("Family"));
    }
    EXPECT_EQ(untimed, row.untimed);
    clsQuorvex2 back;
    ASSERT_TRUE(back.FileControl()->LoadLapFile(path)) << back.ErrorComment();
    EXPECT_EQ(back.EventData()->TimeZone, read.EventData()->TimeZone);
    EXPECT_EQ(CarriedBack(back), CarriedBack(read));
  }
}

}  // namespace
}  // namespace quorvex2
