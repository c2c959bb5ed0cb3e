// The complete site of the sample event, read as files: every link and image of every page points
// at a file of the site, and the Shift-JIS site says the same as the UTF-8 site.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <quorvex2/core/encoding.h>

#include "cli_run.h"
#include "core/detail/utf8.h"

namespace {

namespace fs = std::filesystem;

const std::string kSample = std::string(QX_SOURCE_DIR) + "/examples/sample.lxm";

// Writes the complete site of the sample event into a fresh folder; both sites of a test carry
// the same output time.
std::string WriteSampleSite(const std::string& name, const std::string& encoding) {
  ::setenv("SOURCE_DATE_EPOCH", "1792000000", 1);
  const std::string dir = qxtest::MakeTempDir(name);
  const auto run = qxtest::RunCli({"site", kSample, "-o", dir, "--encoding", encoding});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  return dir;
}

std::set<std::string> FileNames(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

bool IsPage(const std::string& name) {
  return name.size() > 5 && name.substr(name.size() - 5) == ".html";
}

// The address of every href and src attribute of the page, in page order. The pages write
// attributes in lower case with double quotes.
std::vector<std::string> Addresses(const std::string& page) {
  std::vector<std::string> out;
  for (size_t at = page.find('='); at != std::string::npos; at = page.find('=', at + 1)) {
    size_t name_end = at;
    while (name_end > 0 && page[name_end - 1] == ' ') --name_end;
    const bool href = name_end >= 5 && page.compare(name_end - 5, 5, " href") == 0;
    const bool src = name_end >= 4 && page.compare(name_end - 4, 4, " src") == 0;
    size_t value = page.find_first_not_of(' ', at + 1);
    if (!(href || src) || value == std::string::npos || page[value] != '"') continue;
    const size_t close = page.find('"', value + 1);
    if (close == std::string::npos) break;
    out.push_back(page.substr(value + 1, close - value - 1));
    at = close;
  }
  return out;
}

bool IsExternal(const std::string& address) {
  return address.rfind("http://", 0) == 0 || address.rfind("https://", 0) == 0;
}

// Numeric character references ("&#252;") written as the characters they stand for.
std::string ResolveNumericReferences(const std::string& text) {
  static const std::regex reference("&#([0-9]+);");
  std::string out;
  auto last = text.cbegin();
  for (std::sregex_iterator it(text.begin(), text.end(), reference), end; it != end; ++it) {
    out.append(last, (*it)[0].first);
    quorvex2::detail::AppendUtf8(out, static_cast<char32_t>(std::stoul((*it)[1].str())));
    last = (*it)[0].second;
  }
  out.append(last, text.cend());
  return out;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// "" when the texts are equal, else the first line where they differ.
std::string FirstDifference(const std::string& a, const std::string& b) {
  size_t line = 1, start = 0;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) {
      const size_t a_end = a.find('\n', i), b_end = b.find('\n', i);
      return "line " + std::to_string(line) + ":\n  " + a.substr(start, a_end - start) + "\n  " +
             b.substr(start, b_end - start);
    }
    if (a[i] == '\n') ++line, start = i + 1;
  }
  return a.size() == b.size() ? "" : "one text ends at line " + std::to_string(line);
}

TEST(SiteLinks, EveryLinkAndImageOfEveryPageIsAFileOfTheSite) {
  for (const char* encoding : {"shift_jis", "utf-8"}) {
    SCOPED_TRACE(encoding);
    const std::string dir = WriteSampleSite(std::string("site_links_") + encoding, encoding);
    const auto files = FileNames(dir);
    size_t local_links = 0;
    for (const auto& name : files) {
      if (!IsPage(name)) continue;
      for (const auto& address : Addresses(qxtest::ReadFile(dir + "/" + name))) {
        if (IsExternal(address)) continue;
        ++local_links;
        EXPECT_FALSE(address.empty()) << name;
        EXPECT_EQ(address.find_first_of("\\:"), std::string::npos) << name << ": " << address;
        EXPECT_TRUE(files.count(address.substr(0, address.find('#')))) << name << ": " << address;
      }
    }
    // The index alone links 7 entries twice over (link line and table) plus both lap files.
    EXPECT_GE(local_links, 7u * 4 + 2);
    const auto index = Addresses(qxtest::ReadFile(dir + "/index.html"));
    for (const char* target : {"sample.lap", "sample.lxm", "m21a_w21a_legs.html"}) {
      EXPECT_NE(std::find(index.begin(), index.end(), target), index.end()) << target;
    }
    for (const auto& name : files) {
      if (!IsPage(name) || name == "index.html") continue;
      EXPECT_NE(std::find(index.begin(), index.end(), name), index.end())
          << name << " is not linked from the index";
    }
  }
}

TEST(SiteLinks, ShiftJisPagesSayWhatTheUtf8PagesSay) {
  const std::string sjis_dir = WriteSampleSite("site_sjis", "shift_jis");
  const std::string utf8_dir = WriteSampleSite("site_utf8", "utf-8");
  const auto names = FileNames(utf8_dir);
  ASSERT_EQ(FileNames(sjis_dir), names);
  size_t pages = 0;
  for (const auto& name : names) {
    SCOPED_TRACE(name);
    const std::string sjis = qxtest::ReadFile(sjis_dir + "/" + name);
    const std::string utf8 = qxtest::ReadFile(utf8_dir + "/" + name);
    if (!IsPage(name)) {
      EXPECT_EQ(sjis, utf8);  // lap file copies and chart images do not depend on the encoding
      continue;
    }
    ++pages;
    const std::string decoded = quorvex2::SjisToUtf8(sjis);
    EXPECT_EQ(decoded.find("\xEF\xBF\xBD"), std::string::npos);  // no undecodable byte
    EXPECT_EQ(utf8.find("charset=x-sjis"), std::string::npos);
    EXPECT_EQ(
        FirstDifference(
            ResolveNumericReferences(ReplaceAll(decoded, "charset=x-sjis", "charset=utf-8")), utf8),
        "");
  }
  EXPECT_GE(pages, 22u);
  // The sample has clubs whose names Shift-JIS cannot hold: the page keeps them as references.
  EXPECT_NE(qxtest::ReadFile(utf8_dir + "/m20a_results.html").find("Zürich"), std::string::npos);
  EXPECT_NE(qxtest::ReadFile(sjis_dir + "/m20a_results.html").find("Z&#252;rich"),
            std::string::npos);
}

}  // namespace
