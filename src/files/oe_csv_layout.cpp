#include "files/oe_csv_layout.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "files/table_fields.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr int32_t kFirstPossibleControl = 36;
constexpr int32_t kNameWindow = 3;  // how far a named column may stand from its layout place
constexpr size_t kRowsToTry = 20;
constexpr int32_t kKnownFirstControls[] = {44, 46, 60};
constexpr int32_t kLongLayout = 60;

// The column names as keys: ASCII letters and digits in lower case ("Cl.name" -> "clname",
// "Mål" -> "ml").
std::string NameKey(std::string_view name) {
  std::string key;
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80) {
      key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
  }
  return key;
}

struct ColumnNames {
  OeColumn column;
  std::initializer_list<std::string_view> keys;
};

// English, German, French and Swedish names of the columns, as keys.
const ColumnNames kColumnNames[] = {
    {kOeStartNumber, {"stno", "stnr", "startnr", "ndp"}},
    {kOeChip, {"sicard", "chipno", "chip", "puce", "bricka"}},
    {kOeSurname, {"surname", "nachname", "nom", "efternamn"}},
    {kOeFirstName, {"firstname", "vorname", "prnom", "frnamn"}},
    {kOeFullName, {"name", "nom", "namn"}},
    {kOeSex, {"s", "g", "k", "sex"}},
    {kOeNotCompeting, {"nc", "ak", "ut"}},
    {kOeStart, {"start", "dpart"}},
    {kOeFinish, {"finish", "ziel", "arrive", "ml"}},
    {kOeTime, {"time", "zeit", "temps", "tid"}},
    {kOeClassifier, {"classifier", "wertung", "evaluation", "status"}},
    {kOeClub, {"clname", "abk", "nom", "namn"}},
    {kOeCity, {"city", "ort", "ville"}},
    {kOeShortClass, {"short", "kurz", "court", "kort"}},
    {kOeLongClass, {"long", "lang", "lng"}},
    {kOeCourse, {"course", "bahn", "circuit", "bana"}},
    {kOeKilometres, {"km"}},
    {kOeClimb, {"m", "hm"}},
    {kOeControlCount, {"coursecontrols", "bahnposten", "postesducircuit", "banakontroller"}},
    {kOePlace, {"pl", "place", "platz"}},
    {kOeStartPunch, {"startpunch", "startstempel", "poinondedpart", "startstmpling"}},
    {kOeFinishPunch, {"finishpunch", "zielstempel", "arriveep", "mlstmpling"}},
};

// Where the three layouts put each column: the first columns from the start of the row, the
// others counted back from the first control.
OeLayout DefaultLayout(int32_t first) {
  OeLayout layout;
  layout.at.fill(-1);
  layout.first_control = first;
  auto& at = layout.at;
  const int32_t tail[] = {7, 6, 5, 4, 3, 2, 1};
  const OeColumn tail_columns[] = {kOeCourse, kOeKilometres, kOeClimb,      kOeControlCount,
                                   kOePlace,  kOeStartPunch, kOeFinishPunch};
  for (size_t i = 0; i < std::size(tail); ++i) at[tail_columns[i]] = first - tail[i];
  if (first >= kLongLayout) {
    const std::pair<OeColumn, int32_t> front[] = {
        {kOeStartNumber, 1}, {kOeChip, 3},        {kOeSurname, 5},       {kOeFirstName, 6},
        {kOeFullName, 5},    {kOeSex, 8},         {kOeNotCompeting, 10}, {kOeStart, 11},
        {kOeFinish, 12},     {kOeTime, 13},       {kOeClassifier, 14},   {kOeClub, 19},
        {kOeCity, 20},       {kOeShortClass, 25}, {kOeLongClass, 26}};
    for (const auto& [column, position] : front) at[column] = position;
    return layout;
  }
  const bool two_names = first >= 46;
  at[kOeStartNumber] = 0;
  at[kOeChip] = 1;
  at[kOeSurname] = 3;
  at[kOeFullName] = 3;
  if (two_names) at[kOeFirstName] = 4;
  if (two_names) at[kOeSex] = 6;
  const std::pair<OeColumn, int32_t> middle[] = {
      {kOeNotCompeting, 38}, {kOeStart, 37},      {kOeFinish, 36},
      {kOeTime, 35},         {kOeClassifier, 34}, {kOeClub, 32},
      {kOeCity, 31},         {kOeShortClass, 28}, {kOeLongClass, 27}};
  for (const auto& [column, back] : middle) at[column] = first - back;
  return layout;
}

// A column name ending in "1" after letters: "Control1", "Punch1", "Poste1".
bool IsFirstOfSeries(const std::string& name) {
  const std::string key = NameKey(name);
  return key.size() >= 2 && key.back() == '1' &&
         std::isalpha(static_cast<unsigned char>(key[key.size() - 2])) && key != "num1" &&
         key != "text1";
}

std::optional<int32_t> FirstControlFromHeader(const OeRow& header) {
  for (size_t i = kFirstPossibleControl; i + 1 < header.size(); ++i) {
    if (IsFirstOfSeries(header[i]) && IsFirstOfSeries(header[i + 1])) {
      return static_cast<int32_t>(i);
    }
  }
  size_t width = header.size();
  while (width > 0 && header[width - 1].empty()) --width;
  for (int32_t first : kKnownFirstControls) {
    if (static_cast<int32_t>(width) == first) return first;
  }
  return std::nullopt;
}

// A row fits a layout when it gives the control count where the layout has it, followed by as
// many control codes.
bool RowFits(const OeRow& row, int32_t first) {
  const auto count = ReadCount(FieldOf(row, first - 4));
  if (!count) return false;
  for (int32_t k = 0; k < std::min(*count, 3); ++k) {
    if (!ReadCount(FieldOf(row, first + 2 * k))) return false;
  }
  return true;
}

// Under a header that names the controls, a row may also leave its control count empty and
// give control codes where the header puts them.
bool RowFitsHeader(const OeRow& row, int32_t first) {
  if (RowFits(row, first)) return true;
  if (!Trim(FieldOf(row, first - 4)).empty()) return false;
  return ReadCount(FieldOf(row, first)).has_value();
}

// A row of a start list: nothing where the controls go.
bool HasNoControls(const OeRow& row, int32_t first) {
  for (size_t i = static_cast<size_t>(first); i < row.size(); ++i) {
    if (!Trim(row[i]).empty()) return false;
  }
  return true;
}

// Whether rows under the header bear out its first control: when the header names the series of
// controls there, a row may leave its count empty; a list whose rows have no controls at all is
// the export's start list (read as the export, which then finds no result in it).
bool RowsBearOutHeader(const std::vector<OeRow>& rows, const OeRow& header, int32_t first) {
  const bool named =
      IsFirstOfSeries(FieldOf(header, first)) && IsFirstOfSeries(FieldOf(header, first + 1));
  const auto tried = rows.begin() + static_cast<std::ptrdiff_t>(std::min(rows.size(), kRowsToTry));
  if (std::all_of(rows.begin(), tried,
                  [first](const OeRow& row) { return HasNoControls(row, first); })) {
    return true;
  }
  return std::any_of(rows.begin(), tried, [&](const OeRow& row) {
    return named ? RowFitsHeader(row, first) : RowFits(row, first);
  });
}

std::optional<int32_t> FirstControlFromRows(const std::vector<OeRow>& rows) {
  const size_t tried = std::min(rows.size(), kRowsToTry);
  int32_t best = 0;
  size_t most = 0;
  for (int32_t first : kKnownFirstControls) {
    const auto fits = static_cast<size_t>(
        std::count_if(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(tried),
                      [first](const OeRow& row) { return RowFits(row, first); }));
    if (fits > most) {
      best = first;
      most = fits;
    }
  }
  if (most * 2 <= tried) return std::nullopt;
  return best;
}

// Moves each column to the nearest header field of one of its names, when there is one near.
void ApplyHeaderNames(OeLayout& layout, const OeRow& header) {
  for (const ColumnNames& names : kColumnNames) {
    int32_t& at = layout.at[names.column];
    if (at < 0) continue;
    int32_t nearest = -1;
    for (int32_t i = std::max(0, at - kNameWindow); i <= at + kNameWindow; ++i) {
      const std::string key = NameKey(FieldOf(header, i));
      if (std::find(names.keys.begin(), names.keys.end(), key) == names.keys.end()) continue;
      if (nearest < 0 || std::abs(i - at) < std::abs(nearest - at)) nearest = i;
    }
    if (nearest >= 0) at = nearest;
  }
}

}  // namespace

bool FitsKnownLayout(const OeRow& row) {
  return std::any_of(std::begin(kKnownFirstControls), std::end(kKnownFirstControls),
                     [&row](int32_t first) { return RowFits(row, first); });
}

std::optional<OeLayout> FindOeLayout(const OeRow* header, const std::vector<OeRow>& rows) {
  std::optional<int32_t> first;
  if (header != nullptr) first = FirstControlFromHeader(*header);
  // Rows under the header must bear it out: some other table may have as many columns.
  if (first && !rows.empty() && !RowsBearOutHeader(rows, *header, *first)) return std::nullopt;
  if (!first) first = FirstControlFromRows(rows);
  if (!first) return std::nullopt;
  OeLayout layout = DefaultLayout(*first);
  if (header != nullptr) ApplyHeaderNames(layout, *header);
  return layout;
}

}  // namespace quorvex2::detail
