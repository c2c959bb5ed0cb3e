#include <gtest/gtest.h>
#include <quorvex2/quorvex2.h>

#include <stdexcept>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/internal.h"
#include "core/detail/localized_text.h"
#include "core/detail/plural_forms.h"

namespace quorvex2 {
namespace {

TEST(Language, LookUpByLanguageContextAndText) {
  struct Row {
    const char* name;
    const char* language;
    const char* context;
    const char* message;
    const char* expected;
  } rows[] = {
      {"translated", "en", "", "－", "-"},
      {"source language", "ja", "", "－", "－"},
      {"with its context", "en", "date", "yyyy年mm月dd日", "yyyy-mm-dd"},
      {"context left out", "en", "", "yyyy年mm月dd日", "yyyy年mm月dd日"},
      {"unknown text", "en", "", "見たことのない文", "見たことのない文"},
      {"no catalogue", "de", "", "－", "－"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TranslateText(row.language, row.message, row.context), row.expected) << row.name;
  }
}

TEST(Language, CatalogueOfAContext) {
  EXPECT_EQ(MessageCatalogue("en", "date"),
            (std::map<std::string, std::string>{{"yyyy年mm月dd日", "yyyy-mm-dd"}}));
  EXPECT_EQ(MessageCatalogue("ja", "date"),
            (std::map<std::string, std::string>{{"yyyy年mm月dd日", "yyyy年mm月dd日"}}));
  const auto plain = MessageCatalogue("en");
  EXPECT_EQ(plain.at("－"), "-");
  EXPECT_EQ(plain.count("yyyy年mm月dd日"), 0u);  // that one has a context
}

TEST(Language, RootSettingDrivesTheOutputs) {
  clsQuorvex2 root;
  EXPECT_EQ(root.Language(), "ja");
  EXPECT_EQ(AvailableLanguages().front(), "ja");
  EXPECT_TRUE(IsLanguageAvailable("en"));
  EXPECT_THROW(root.Language("xx"), std::invalid_argument);
  // The event's name, terrain and date, the date in the language's format.
  auto& event = *root.EventData();
  event.EventName = "Spring Cup";
  EXPECT_EQ(event.ToString(), "Spring Cup");
  event.EventDate.Value(ParseDateOrDefault("2026/10/18", 0));
  EXPECT_EQ(event.ToString(), "Spring Cup 2026年10月18日");
  root.Language("en");
  EXPECT_EQ(event.ToString(), "Spring Cup 2026-10-18");
  event.Terrain = "Forest";
  EXPECT_EQ(event.ToString(), "Spring Cup [Forest]  2026-10-18");
  event.EventDate.Value(0);
  EXPECT_EQ(event.ToString(), "Spring Cup [Forest] ");
  // A file reads to the same event in every language: what it leaves unnamed is "名称未設定".
  ASSERT_TRUE(root.FileControl()->LoadLapFile(
      "t.csv", 0, 0, "クラス,名前,所属,総タイム,1,F\r\n,Bob,X,10:00,1:00,10:00\r\n"));
  EXPECT_EQ(root.EventData()->EventName, "名称未設定");
  EXPECT_TRUE(root.IsClassExists("名称未設定"));
}

TEST(Language, NamesInFixedColumnsOfEnglishReports) {
  clsQuorvex2 root;
  root.Language("en");
  struct Row {
    const char* name;
    const char* expected;
  } rows[] = {
      {"Erik Berg", "Berg "},    {"Jonas Nilsen", "Nilse"}, {"Madonna", "Madon"},
      {"山田 太郎", "山田 "},    {"佐々木　隆", "佐々 "},   {" Anna Maria Svensson ", "Svens"},
      {"Seán O’Brien", "O’Bri"}, {"Иван Петров", "Петро"},  {"김민준 박", "김민 "},
  };
  clsLapData runner;
  for (const auto& row : rows) {
    runner.RunnerName = row.name;
    EXPECT_EQ(detail::ColumnName(runner, 6), row.expected) << row.name;
  }
  // The family name a file gave apart, of any number of words.
  runner.RunnerName = "Anna Maria van der Berg";
  runner.SetNameParts("van der Berg", "Anna Maria", detail::MakeInternal());
  EXPECT_EQ(detail::ColumnName(runner, 6), "van d");
  // Family name first for names in kana, kanji or hangul; typographic marks are no such script.
  const std::pair<std::pair<const char*, const char*>, const char*> people[] = {
      {{"Berg", "Erik"}, "Erik Berg"},         {{"O’Brien", "Seán"}, "Seán O’Brien"},
      {{"Lind–Ek", "Åsa"}, "Åsa Lind–Ek"},     {{"山田", "太郎"}, "山田 太郎"},
      {{"ヤマダ", "タロウ"}, "ヤマダ タロウ"}, {{"김", "민준"}, "김 민준"},
      {{"𠮷田", "Ken"}, "𠮷田 Ken"},
  };
  for (const auto& [parts, expected] : people) {
    EXPECT_EQ(detail::PersonName(parts.first, parts.second), expected) << expected;
  }
  root.Language("ja");
  runner.RunnerName = "山田 太郎";
  EXPECT_EQ(detail::ColumnName(runner, 6), "山田 太郎");
  EXPECT_EQ(detail::PersonName("Berg", "Erik"), "Berg Erik");
}

TEST(Language, PluralRules) {
  constexpr const char* kSlavic =
      "Plural-Forms: nplurals=3; plural=(n%10==1 && n%100!=11 ? 0 : n%10>=2 && n%10<=4 && "
      "(n%100<10 || n%100>=20) ? 1 : 2);\n";
  struct Row {
    const char* name;
    const char* header;
    std::vector<uint32_t> forms;  // of the counts 0, 1, 2, 5, 11, 21, 22, 112
  } rows[] = {
      {"English", "Plural-Forms: nplurals=2; plural=(n != 1);\n", {1, 0, 1, 1, 1, 1, 1, 1}},
      {"Japanese", "Plural-Forms: nplurals=1; plural=0;\n", {0, 0, 0, 0, 0, 0, 0, 0}},
      {"French", "Plural-Forms: nplurals=2; plural=n>1;", {0, 0, 1, 1, 1, 1, 1, 1}},
      {"Slavic", kSlavic, {2, 0, 1, 2, 2, 0, 1, 2}},
      {"form beyond the count", "Plural-Forms: nplurals=2; plural=n;", {0, 1, 0, 0, 0, 0, 0, 0}},
      {"no rule", "Language: en\n", {1, 0, 1, 1, 1, 1, 1, 1}},
      {"rule that does not parse",
       "Plural-Forms: nplurals=2; plural=(n != ;",
       {1, 0, 1, 1, 1, 1, 1, 1}},
      {"division by zero", "Plural-Forms: nplurals=2; plural=n/0+n%0;", {0, 0, 0, 0, 0, 0, 0, 0}},
  };
  const uint64_t counts[] = {0, 1, 2, 5, 11, 21, 22, 112};
  for (const auto& row : rows) {
    const detail::PluralForms rule(row.header);
    for (size_t i = 0; i < std::size(counts); ++i) {
      EXPECT_EQ(rule.Index(counts[i]), row.forms[i]) << row.name << ", " << counts[i];
    }
  }
}

TEST(Language, MalformedCatalogueHoldsNothing) {
  const unsigned char truncated[] = {0xde, 0x12, 0x04, 0x95, 0, 0, 0, 0, 5, 0, 0, 0, 0xff, 0xff};
  const unsigned char lying[] = {0xde, 0x12, 0x04, 0x95, 0,    0,    0,    0,    9, 0, 0,
                                 0,    20,   0,    0,    0,    0xf0, 0xff, 0xff, 0, 1, 0,
                                 0,    0,    0xff, 0xff, 0xff, 0x7f, 0,    0,    0, 0};
  for (const auto& [bytes, size] :
       {std::pair{truncated, sizeof truncated}, {lying, sizeof lying}}) {
    const detail::Catalogue catalogue(bytes, size);
    EXPECT_TRUE(catalogue.Messages("").empty());
  }
}

}  // namespace
}  // namespace quorvex2
