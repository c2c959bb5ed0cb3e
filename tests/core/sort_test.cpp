#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/detail/ranked_keys.h"
#include "quorvex2/core/sort.h"

namespace quorvex2 {
namespace {

std::vector<int32_t> Items(const CclsSort& sort) {
  std::vector<int32_t> items;
  for (int32_t i = 1; i <= sort.Count(); ++i) items.push_back(sort.LongItem(i));
  return items;
}

// The rule itself: each new line goes before the first line whose key is greater or equal.
std::vector<int32_t> ReferenceOrder(const std::vector<double>& keys) {
  std::vector<std::pair<double, int32_t>> lines;
  for (size_t n = 0; n < keys.size(); ++n) {
    size_t at = 0;
    while (at < lines.size() && lines[at].first < keys[n]) ++at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                 {keys[n], static_cast<int32_t>(n)});
  }
  std::vector<int32_t> items;
  for (const auto& line : lines) items.push_back(line.second);
  return items;
}

// CclsSort, and the plain sort of numeric keys the analysis ranks with, follow the insertion rule
// and give the same competition ranks.
TEST(CclsSort, MatchesTheInsertionRuleWhateverTheReadingPattern) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> few_keys(0, 40);
  std::vector<double> keys;
  for (int i = 0; i < 1000; ++i) keys.push_back(few_keys(random) / 4.0);
  CclsSort at_once;
  CclsSort read_between;
  detail::RankedKeys plain;
  for (size_t n = 0; n < keys.size(); ++n) {
    plain.push_back({keys[n], static_cast<int32_t>(n), 0});
    at_once.AddLong(keys[n], static_cast<int32_t>(n));
    read_between.AddLong(keys[n], static_cast<int32_t>(n));
    // Reads after one line, after a few lines and after many exercise every ordering path.
    if (n % 7 == 0 || n % 50 < 3) read_between.SortKey(1);
  }
  const std::vector<int32_t> expected = ReferenceOrder(keys);
  EXPECT_EQ(Items(at_once), expected);
  EXPECT_EQ(Items(read_between), expected);
  detail::SortRanked(plain);
  at_once.CalcRankOrder();
  ASSERT_EQ(plain.size(), expected.size());
  for (size_t p = 0; p < plain.size(); ++p) {
    EXPECT_EQ(plain[p].position, expected[p]) << p;
    EXPECT_EQ(plain[p].rank, at_once.LineObject(static_cast<int32_t>(p + 1)).RankOrder) << p;
  }
  for (int32_t i = 2; i <= at_once.Count(); ++i) {
    EXPECT_LE(std::get<double>(at_once.SortKey(i - 1)), std::get<double>(at_once.SortKey(i)));
  }
}

TEST(CclsSort, StringsByCharacterCodeAfterNumbers) {
  CclsSort sort;
  sort.AddLong(std::string("b"), 1);
  sort.AddLong(std::string("B"), 2);
  sort.AddLong(1e9, 3);
  sort.AddLong(std::string("ab"), 4);
  sort.AddLong(-3.0, 5);
  EXPECT_EQ(Items(sort), (std::vector<int32_t>{5, 3, 2, 4, 1}));
}

TEST(CclsSort, CompetitionRanks) {
  CclsSort sort;
  sort.CalcRankOrder();
  EXPECT_EQ(sort.Count(), 0);
  for (const double key : {15.0, 12.0, 10.0, 12.0, 15.0}) sort.AddLong(key, 0);
  sort.CalcRankOrder();
  std::vector<int32_t> ranks;
  for (const CclsSortLine& line : sort.LineSet()) ranks.push_back(line.RankOrder);
  EXPECT_EQ(ranks, (std::vector<int32_t>{1, 2, 2, 4, 4}));
  EXPECT_EQ(sort.LineObject(3).RankOrder, 2);
  EXPECT_EQ(sort.LineObject(4)->RankOrder, 4);
}

TEST(CclsSort, ItemsOfEveryKindAndIndexErrors) {
  CclsSort sort;
  auto object = std::make_shared<std::string>("runner");
  sort.AddObject(1.0, object);
  sort.AddString(2.0, "42");
  sort.AddLong(3.0, 7);
  EXPECT_EQ(sort.ObjectItemAs<std::string>(1), object);
  EXPECT_EQ(sort.LongItem(2), 42);
  EXPECT_EQ(sort.StringItem(3), "7");
  EXPECT_EQ(sort.ObjectItem(3), nullptr);
  EXPECT_THROW(sort.SortKey(0), std::out_of_range);
  EXPECT_THROW(sort.LineObject(4), std::out_of_range);
  sort.Clear();
  EXPECT_EQ(sort.Count(), 0);
  EXPECT_TRUE(sort.LineSet().empty());
}

TEST(CclsSplit, FieldsAreTrimmedOnReadAndKeptOnJoin) {
  CclsSplit split;
  split.Expression(",", "a, b,,c");
  EXPECT_EQ(split.Bound(), 3);
  EXPECT_EQ(split.Value(1), "b");
  EXPECT_EQ(split.Value(2), "");
  EXPECT_EQ(split.Value(7), "");
  EXPECT_EQ(split.Value(-1), "");
  EXPECT_EQ(split.AfterValue(1, ","), " b,,c");
  EXPECT_EQ(split.AfterValue(4, ","), "");
  EXPECT_EQ(split.Expression(";"), "a; b;;c");
  split.Expression(",", "");
  EXPECT_EQ(split.Bound(), -1);
  EXPECT_EQ(split.Expression(","), "");
  split.Expression("<>", "x<>y<>");
  EXPECT_EQ(split.Bound(), 2);
  EXPECT_EQ(split.Value(1), "y");
  // Writing beyond the end extends the fields unless the value is empty.
  split.Expression(",", "a,b");
  split.Value(4, "");
  EXPECT_EQ(split.Bound(), 1);
  split.Value(5, " x ");
  EXPECT_EQ(split.Bound(), 5);
  EXPECT_EQ(split.Expression(","), "a,b,,,,x");
  split.Value(0, "  z");
  EXPECT_EQ(split.Expression(","), "z,b,,,,x");
}

}  // namespace
}  // namespace quorvex2
