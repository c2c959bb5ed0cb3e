// --lang and the locale: in English no output or message keeps a Japanese character; in Japanese
// every output is what the library writes by default.
#include <gtest/gtest.h>

#include <quorvex2/core/text.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_run.h"
#include "core/detail/utf8.h"

namespace {

const std::string kLatin = std::string(QX_TEST_DATA) + "/latin_names.lxm";

// Kana, kanji, CJK punctuation and full-width forms.
bool HasJapanese(const std::string& text) {
  return std::ranges::any_of(quorvex2::detail::ToU32(text), [](char32_t c) {
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
  });
}

struct Output {
  const char* name;
  const char* args;  // the file follows them; a print goes to a PDF, read back as text
  // A refused file (exit 1) in the run's folder, else the event with Latin names: its name, its
  // bytes (none: no such file, "/": a folder, "@": a device), and what the first line says after
  // naming it.
  const char* file = nullptr;
  const char* bytes = nullptr;
  const char* says = nullptr;
};

const Output kOutputs[] = {
    {"mail", "report mail"},
    {"results", "report results"},
    {"grid", "report grid --color never"},
    {"analysis page", "report analysis-html --extra"},
    {"legs page", "report legs-html --extra"},
    {"charts page", "report charts-html"},
    {"viewer page", "report viewer-html"},
    {"printed analysis", "print --analysis standard"},
    {"printed results", "print --results"},
    {"legs page without leg difficulties", "report legs-html"},
    {"missing file", "info", "missing.lxm", nullptr, "the file does not exist"},
    {"folder", "info", "folder.lxm", "/", "it is a folder, not a file"},
    {"device", "info", "device.lxm", "@", "it is a device, not a file"},
    {"junk lap file", "info", "junk.lxm", "junk <",
     "it cannot be read as a Quorvex2 lap file (XML)"},
    {"not a result file", "report mail", "start.csv",
     "Cup\r\nSplit times of Cup\r\nM21A\r\nCreated with OEvent\r\n",
     "it is not a result file: no runner has a result or split times"},
    {"empty file", "info", "empty.csv", "", "the file is empty"},
    {"import-only file alone", "info", "add.txt", "$IMPORT_ONLY\r\n1,Ann\r\n2,Bo\r\n",
     "it only adds runner details to an event: give it after the event's file"},
    {"bad archive", "info", "event.lzh", "not an archive", "the archive cannot be unpacked"},
    {"wrong --type", "info --type sportident", "event.lxm",
     "<?xml version=\"1.0\"?>\n<quorvex/>\n\n", "it cannot be read as a SPORTident result listing"},
};

// What the run writes (standard output or the PDF's text, then standard error), its folder
// written as DIR.
std::string RunOutput(const Output& output, const std::string& options,
                      const std::string& env = "") {
  const std::string dir = qxtest::MakeTempDir("lang");
  const std::string file = output.file ? dir + "/" + output.file : kLatin;
  if (output.bytes && std::string(output.bytes) == "/") {
    std::filesystem::create_directory(file);
  } else if (output.bytes && std::string(output.bytes) == "@") {
    std::filesystem::create_symlink("/dev/null", file);
  } else if (output.bytes) {
    qxtest::WriteFile(dir, output.file, output.bytes);
  }
  const bool pdf = std::string(output.args).starts_with("print");
  qxtest::CliLimits limits;
  if (!env.empty()) limits.env = {env};
  const auto result = qxtest::RunCli(qxtest::Args(std::string(output.args) + " " + file + " " +
                                                      options + (pdf ? " -o {dir}/o.pdf" : ""),
                                                  dir),
                                     limits);
  EXPECT_EQ(result.exit_code, output.file ? 1 : 0) << result.err;
  if (output.file && options == "--lang en") {
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')),
              "quorvex2: cannot load " + file + ": " + output.says);
  }
  const std::string text = (pdf ? qxtest::PdfText(dir + "/o.pdf") : result.out) + result.err;
  return quorvex2::ReplaceAll(text, dir, "DIR");
}

TEST(Languages, EnglishHasNoJapaneseAndJapaneseIsTheDefault) {
  for (const auto& output : kOutputs) {
    SCOPED_TRACE(output.name);
    const std::string english = RunOutput(output, "--lang en");
    EXPECT_FALSE(english.empty());
    EXPECT_FALSE(HasJapanese(english)) << english;
    EXPECT_EQ(RunOutput(output, "", "LANG=de_DE.UTF-8"), english) << "locale";
    if (std::string(output.args).starts_with("print")) continue;  // PDFs carry their creation time
    const std::string japanese = RunOutput(output, "");
    EXPECT_EQ(RunOutput(output, "--lang ja", "LC_ALL=C"), japanese);
  }
}

// The event's date, family names after given names, the placeholders and the leg captions; the
// class name half-width in print.
TEST(Languages, EnglishLayout) {
  qxtest::ExpectGolden("golden/cli/mail-en.txt",
                       qxtest::RunOk({"report", "mail", kLatin, "--lang", "en"}));
  qxtest::ExpectGolden("golden/cli/grid-en.txt", qxtest::RunOk({"report", "grid", kLatin, "--color",
                                                                "never", "--lang", "en"}));
  EXPECT_TRUE(qxtest::Contains(RunOutput(kOutputs[8], "--lang en"), "M21E"));
  // A leg's length is its share of the course; dates are written one way on the site's index.
  EXPECT_TRUE(qxtest::Contains(RunOutput(kOutputs[4], "--lang en"), "<td nowrap>Share</td>"));
  const std::string site = qxtest::MakeTempDir("lang-site");
  qxtest::CliLimits limits;
  limits.env = {"SOURCE_DATE_EPOCH=1792324800", "TZ=UTC"};
  qxtest::RunCli({"site", kLatin, "-o", site, "--index", "index.html", "--lang", "en"}, limits);
  EXPECT_TRUE(
      qxtest::Contains(qxtest::ReadFile(site + "/index.html"), "Written: 2026-10-18 12:00"));
  // The option may also stand before the command.
  EXPECT_EQ(qxtest::RunOk({"--lang", "ja", "report", "mail", kLatin}),
            qxtest::RunOk({"report", "mail", kLatin, "--lang", "ja"}));
}

}  // namespace
