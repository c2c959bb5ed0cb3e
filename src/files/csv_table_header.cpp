#include "files/csv_table_header.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "files/csv_table_lines.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kArrow = "→";

struct ColumnAlias {
  const char* name;
  std::initializer_list<const char*> keys;
};

const ColumnAlias kAliases[] = {
    {"クラス", {"ｸﾗｽ", "CLASS", "**", "ｸﾗｽ名"}},
    {"名前", {"名前", "NAMAE", "NAME", "氏名"}},
    {"所属", {"所属", "SYOZOKU", "SHOZOKU"}},
    {"総タイム", {"記録", "総ﾀｲﾑ", "ﾀｲﾑ", "成績", "時間", "TIME", "TOTAL", "T", "TT"}},
    {"スタート時刻", {"START", "ｽﾀｰﾄ", "STARTTIME", "ｽﾀｰﾄ時間", "ｽﾀｰﾄ時刻"}},
    {"順位", {"RANK", "順位", "ORDER", "POSITION"}},
    {"シード", {"SEED", "ｼｰﾄﾞ"}},
};

bool IsOneOf(const std::string& key, std::initializer_list<const char*> keys) {
  return std::any_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; });
}

const char* AliasOf(const std::string& key) {
  for (const auto& alias : kAliases) {
    if (IsOneOf(key, alias.keys)) return alias.name;
  }
  return nullptr;
}

// "S-1", "1→2", "3-F" with "→" read as "-": the part before and after the first separator.
std::string ArrowsAsHyphens(const std::string& text) {
  return ReplaceAll(text, kArrow, "-");
}

// A whole number clamped to the range where leg labels make sense.
int32_t SmallNumber(const std::string& text) {
  const double value = LeadingNumber(text);
  return value < 0 ? 0 : value > 1000 ? 1000 : static_cast<int32_t>(value);
}

// The highest number among the header's fields, "-" and "→" taken as separators.
int32_t HighestControl(const std::vector<std::string>& fields) {
  int32_t highest = 0;
  for (const auto& field : fields) {
    for (const auto& part : SplitText(ArrowsAsHyphens(HeaderKey(field)), "-")) {
      if (IsNumeric(part)) highest = std::max(highest, SmallNumber(part));
    }
  }
  return highest;
}

bool IsFinishKey(const std::string& key) {
  return key == "G" || key == "F" || key == "◎";
}

bool IsLegOrigin(const std::string& key) {
  return key.empty() || key == "△" || key == "S" || IsNumeric(key);
}

// The leg label of a field such as "S-1", "3→4" or "12-F"; "" when the field is no leg.
std::string LegLabel(const std::string& key, int32_t controls) {
  const std::string hyphened = ArrowsAsHyphens(key);
  const size_t hyphen = hyphened.find('-');
  if (hyphen == std::string::npos) return "";
  const std::string origin = Trim(hyphened.substr(0, hyphen));
  const std::string target = Trim(hyphened.substr(hyphen + 1));
  if (!IsLegOrigin(origin)) return "";
  if (IsFinishKey(target)) return MakeLegName(controls, true, controls + 1);
  const int32_t leg = SmallNumber(target);
  return leg < 1 ? "" : MakeLegName(controls, true, leg);
}

std::string MapField(const std::string& field, int32_t controls) {
  std::string key = HeaderKey(field);
  if (const char* name = AliasOf(key)) return name;
  if (key == "F" || key == "◎") return MakeLegName(controls, true, controls + 1);
  if (IsNumeric(key)) key = std::string("-").append(Trim(key));
  const std::string leg = LegLabel(key, controls);
  return leg.empty() ? field : leg;
}

}  // namespace

std::string HeaderKey(const std::string& field) {
  return ToUpper(ToNarrow(Trim(field)));
}

bool IsTableHeaderLine(const std::string& line) {
  const std::string key = ToUpper(ToNarrow(line));
  for (const char* word : {"氏名", "名前", "NAMAE", "NAME"}) {
    if (key.find(word) != std::string::npos) return true;
  }
  return false;
}

std::string NormalizeHeaderLine(const std::string& line) {
  if (!IsTableHeaderLine(line)) return line;
  const auto fields = SplitText(line, ",");
  const int32_t controls = HighestControl(fields);
  std::string mapped;
  bool has_class = false;
  for (size_t i = 0; i < fields.size(); ++i) {
    const std::string name = MapField(fields[i], controls);
    has_class = has_class || name == "クラス";
    (mapped += i ? "," : "") += name;
  }
  return has_class ? mapped : mapped + ",クラス";
}

}  // namespace quorvex2::detail
