#include "files/csv_table_columns.h"

#include <utility>

#include "files/csv_table_lines.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kArrow = "→";

const std::pair<const char*, int32_t TableColumns::*> kNamedColumns[] = {
    {"クラス", &TableColumns::class_name}, {"名前", &TableColumns::runner_name},
    {"所属", &TableColumns::club},         {"総タイム", &TableColumns::result},
    {"順位", &TableColumns::rank},         {"スタート時刻", &TableColumns::start},
    {"シード", &TableColumns::seed},       {"性別", &TableColumns::sex},
};

// The leg a label such as "１→２" or "12→◎" ends; 0 when the field is no leg label.
int32_t LegOfLabel(const std::string& field, int32_t highest_so_far) {
  const size_t arrow = field.find(kArrow);
  if (arrow == std::string::npos) return 0;
  const std::string target = Trim(field.substr(arrow + std::string(kArrow).size()));
  if (target == "◎") return highest_so_far + 1;
  const double value = LeadingNumber(ToNarrow(target));
  return value >= 1 && value <= clsLapData::kMaxLegs ? static_cast<int32_t>(value) : 0;
}

void AssignColumn(TableColumns& columns, const std::string& field, int32_t position) {
  for (const auto& [name, member] : kNamedColumns) {
    if (field == name) {
      columns.*member = position;
      return;
    }
  }
  const int32_t leg = LegOfLabel(field, columns.highest_leg);
  if (leg < 1 || leg > clsLapData::kMaxLegs) return;
  columns.legs[leg] = position;
  if (leg > columns.highest_leg) columns.highest_leg = leg;
}

}  // namespace

TableColumns ReadTableColumns(const std::string& header_line) {
  TableColumns columns;
  const auto fields = SplitText(header_line, ",");
  for (size_t i = 0; i < fields.size() && i < INT32_MAX; ++i) {
    AssignColumn(columns, Trim(fields[i]), static_cast<int32_t>(i));
  }
  return columns;
}

std::string FieldAt(const std::vector<std::string>& fields, int32_t column) {
  if (column < 0 || static_cast<size_t>(column) >= fields.size()) return "";
  return Trim(fields[column]);
}

}  // namespace quorvex2::detail
