// --lang and the locale: in English no output or message keeps a Japanese character; in Japanese
// every output is what the library writes by default.
#include <gtest/gtest.h>

#include <quorvex2/core/text.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli_run.h"

namespace {

const std::string kLatin = std::string(QX_TEST_DATA) + "/latin_names.lxm";

// Kana, kanji, CJK punctuation and full-width forms, decoded from UTF-8.
bool HasJapanese(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    char32_t code = n == 1 ? c : c & (0x3F >> (n - 1));
    for (int k = 1; k < n && i + k < text.size(); ++k) code = code << 6 | (text[i + k] & 0x3F);
    if ((code >= 0x3000 && code <= 0x30FF) || (code >= 0x3400 && code <= 0x9FFF) ||
        (code >= 0xF900 && code <= 0xFAFF) || (code >= 0xFF00 && code <= 0xFFEF)) {
      return true;
    }
    i += n;
  }
  return false;
}

struct Output {
  const char* name;
  std::vector<std::string> args;
  const char* pdf = nullptr;  // the output is this PDF, read back as text
  // A refused file (exit 1): the file in the run's folder, its bytes ("/": a folder, none: no
  // such file), and what the first line says after naming it.
  const char* refused = nullptr;
  std::optional<std::string> bytes = std::nullopt;
  const char* says = nullptr;
};

std::string RunOutput(const Output& output, const std::vector<std::string>& options,
                      const std::vector<std::string>& env = {}) {
  const std::string dir = qxtest::MakeTempDir("lang");
  std::string file = kLatin;
  if (output.refused) {
    file = dir + "/" + output.refused;
    if (output.bytes == "/") std::filesystem::create_directory(file);
    if (output.bytes && output.bytes != "/") qxtest::WriteFile(dir, output.refused, *output.bytes);
  }
  std::vector<std::string> args = output.args;
  args.push_back(file);
  args.insert(args.end(), options.begin(), options.end());
  if (output.pdf) args.insert(args.end(), {"-o", dir + "/" + output.pdf});
  qxtest::CliLimits limits;
  limits.env = env;
  const auto result = qxtest::RunCli(args, "", limits);
  EXPECT_EQ(result.exit_code, output.refused ? 1 : 0) << output.name << "\n" << result.err;
  if (output.refused) {
    const std::string first_line = result.err.substr(0, result.err.find('\n'));
    if (options == std::vector<std::string>{"--lang", "en"}) {
      EXPECT_EQ(first_line, "quorvex2: cannot load " + file + ": " + output.says) << output.name;
    }
    return quorvex2::ReplaceAll(result.out + result.err, dir, "DIR");  // a folder per run
  }
  return (output.pdf ? qxtest::PdfText(dir + "/" + output.pdf) : result.out) + result.err;
}

const std::vector<Output>& Outputs() {
  static const std::vector<Output> outputs{
      {"mail", {"report", "mail"}},
      {"results", {"report", "results"}},
      {"grid", {"report", "grid", "--color", "never"}},
      {"analysis page", {"report", "analysis-html", "--extra"}},
      {"legs page", {"report", "legs-html", "--extra"}},
      {"charts page", {"report", "charts-html"}},
      {"viewer page", {"report", "viewer-html"}},
      {"printed analysis", {"print", "--analysis", "standard"}, "analysis.pdf"},
      {"printed results", {"print", "--results"}, "results.pdf"},
      {"missing file", {"info"}, nullptr, "missing.lxm", std::nullopt, "the file does not exist"},
      {"folder", {"info"}, nullptr, "folder.lxm", "/", "it is a folder, not a file"},
      {"junk lap file",
       {"info"},
       nullptr,
       "junk.lxm",
       "junk <",
       "it cannot be read as a Quorvex2 lap file (XML)"},
      {"not a result file",
       {"report", "mail"},
       nullptr,
       "start.csv",
       "Cup\r\nSplit times of Cup\r\nM21A\r\nCreated with OEvent\r\n",
       "it is not a result file: no runner has a result or split times"},
      {"empty file", {"info"}, nullptr, "empty.csv", "", "the file is empty"},
      {"import-only file alone",
       {"info"},
       nullptr,
       "add.txt",
       "$IMPORT_ONLY\r\n1,Ann\r\n2,Bo\r\n",
       "it only adds runner details to an event: give it after the event's file"},
      {"bad archive",
       {"info"},
       nullptr,
       "event.lzh",
       "not an archive",
       "the archive cannot be unpacked"},
      {"wrong --type",
       {"info", "--type", "sportident"},
       nullptr,
       "event.lxm",
       "<?xml version=\"1.0\"?>\n<quorvex/>\n\n",
       "it cannot be read as a SPORTident result listing"},
  };
  return outputs;
}

TEST(Languages, EnglishHasNoJapaneseAndJapaneseIsTheDefault) {
  for (const auto& output : Outputs()) {
    const std::string english = RunOutput(output, {"--lang", "en"});
    EXPECT_FALSE(english.empty()) << output.name;
    EXPECT_FALSE(HasJapanese(english)) << output.name << "\n" << english;
    EXPECT_EQ(RunOutput(output, {}, {"LANG=de_DE.UTF-8"}), english) << output.name << ": locale";
    if (output.pdf) continue;  // PDFs carry their creation time
    const std::string japanese = RunOutput(output, {});
    EXPECT_EQ(RunOutput(output, {"--lang", "ja"}, {"LC_ALL=C"}), japanese) << output.name;
  }
}

TEST(Languages, EnglishLayout) {
  const std::string mail = RunOutput(Outputs()[0], {"--lang", "en"});
  struct Row {
    const char* name;
    const char* text;
  } rows[] = {
      {"date of the event", "Autumn Forest Cup [Misty Plateau]  2026-10-18"},
      {"family names right-aligned, a blank apart", "    Berg Kelle Hughe Nilse"},
      {"placeholders", " F   100   102   104   105   106   108   110     -   102"},
  };
  for (const auto& row : rows) EXPECT_NE(mail.find(row.text), std::string::npos) << row.name;
  const std::string grid = RunOutput(Outputs()[2], {"--lang", "en"});
  for (const char* caption : {"S→1", "1→2", "3→F"}) {
    EXPECT_NE(grid.find(caption), std::string::npos) << caption << "\n" << grid;
  }
  const std::string printed = RunOutput(Outputs()[8], {"--lang", "en"});
  EXPECT_NE(printed.find("M21E"), std::string::npos) << "half-width class name\n" << printed;
}

}  // namespace
