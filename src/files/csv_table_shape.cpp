#include "files/csv_table_shape.h"

#include <algorithm>
#include <stdexcept>

#include "core/detail/catalogue.h"
#include "files/csv_table_header.h"
#include "files/csv_table_lines.h"
#include "files/table_fields.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr size_t kMaxTransposedCells = 4'000'000;

const char* const kColumnNames[] = {"名前", "ｸﾗｽ",   "氏名", "所属", "年齢",  "順位", "RANK",
                                    "NAME", "CLASS", "**",   "記録", "総ﾀｲﾑ", "成績", "TOTAL",
                                    "S",    "G",     "F",    "◎",    "AGE"};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool EndsWithMarkAndDigit(const std::string& key, const std::string& mark) {
  if (key.size() < mark.size() + 1) return false;
  const char last = key.back();
  return last >= '0' && last <= '9' &&
         key.compare(key.size() - 1 - mark.size(), mark.size(), mark) == 0;
}

bool IsColumnName(const std::string& key) {
  if (std::find(std::begin(kColumnNames), std::end(kColumnNames), key) != std::end(kColumnNames)) {
    return true;
  }
  return key.starts_with("ｽﾀｰﾄ") || key.starts_with("ｺﾞｰﾙ") || EndsWithMarkAndDigit(key, "→") ||
         EndsWithMarkAndDigit(key, "-");
}

std::string CommasForBlankRuns(const std::string& line) {
  std::string out;
  bool in_blanks = false;
  for (char c : line) {
    if (IsBlank(c)) {
      in_blanks = true;
      continue;
    }
    if (in_blanks && !out.empty()) out += ',';
    in_blanks = false;
    out += c;
  }
  return out;
}

}  // namespace

void UnquoteFields(std::vector<std::string>& lines) {
  const char delimiter = IsDelimitedTable(lines, '\t')  ? '\t'
                         : IsDelimitedTable(lines, ';') ? ';'
                                                        : ',';
  lines = JoinQuotedCells(lines, std::string(1, delimiter));
  for (auto& line : lines) {
    if (delimiter == ',' && line.find('"') == std::string::npos) continue;
    const std::vector<std::string> fields = SplitTableRow(line, delimiter);
    line.clear();
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) line += ',';
      const size_t at = line.size();
      line += fields[i];
      std::replace(line.begin() + static_cast<std::ptrdiff_t>(at), line.end(), ',', kFieldComma);
      std::replace(line.begin() + static_cast<std::ptrdiff_t>(at), line.end(), '\n', ' ');
    }
  }
}

std::string FieldCommasBack(std::string field) {
  std::replace(field.begin(), field.end(), kFieldComma, ',');
  return field;
}

bool IsMailTextExport(const std::vector<std::string>& lines) {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    const std::string line = Trim(*it);
    if (!line.empty()) return line.starts_with("Made with Quorvex");
  }
  return false;
}

void SeparateBlankColumns(std::vector<std::string>& lines) {
  if (IsTabSeparatedTable(lines)) {
    for (auto& line : lines) std::replace(line.begin(), line.end(), '\t', ',');
    return;
  }
  const bool has_comma = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.find(',') != std::string::npos;
  });
  if (has_comma) return;
  for (auto& line : lines) line = CommasForBlankRuns(line);
}

int32_t FieldNameScore(const std::string& field) {
  const std::string key = HeaderKey(field);
  if (IsColumnName(key)) return 10;
  if (IsNumeric(key)) return LeadingNumber(key) <= 20 ? 1 : 0;
  return -1;
}

OrientationScores ScoreOrientation(const std::vector<std::string>& lines) {
  OrientationScores scores;
  for (const auto& line : lines) {
    scores.column += FieldNameScore(line.substr(0, line.find(',')));
  }
  if (!lines.empty()) {
    for (const auto& field : SplitText(lines.front(), ",")) scores.row += FieldNameScore(field);
  }
  return scores;
}

std::vector<std::string> TransposeTable(const std::vector<std::string>& lines) {
  size_t width = 0;
  for (const auto& line : lines) {
    width = std::max<size_t>(width, std::count(line.begin(), line.end(), ',') + 1);
  }
  if (width * std::max<size_t>(lines.size(), 1) > kMaxTransposedCells) {
    throw std::runtime_error(Tr("表が大きすぎて行と列を入れ替えられません"));
  }
  std::vector<std::string> out(width);
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto fields = SplitText(lines[i], ",");
    for (size_t j = 0; j < width; ++j) {
      if (i) out[j] += ',';
      if (j < fields.size()) out[j] += fields[j];
    }
  }
  return out;
}

}  // namespace quorvex2::detail
