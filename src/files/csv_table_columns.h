#pragma once
// Column positions of a table, taken from a header line whose fields carry the component's
// column names ("クラス", "名前", ..., leg labels "△→１" .. "n→◎").
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "quorvex2/core/lap_data.h"

namespace quorvex2::detail {

struct TableColumns {
  int32_t class_name = -1;
  int32_t runner_name = -1;
  int32_t club = -1;
  int32_t result = -1;
  int32_t rank = -1;
  int32_t start = -1;
  int32_t seed = -1;
  int32_t sex = -1;
  std::array<int32_t, clsLapData::kMaxLegs + 1> legs{};  // 1-based; -1 when absent
  int32_t highest_leg = 0;

  TableColumns() { legs.fill(-1); }
  // Runner lines can be read only under a header naming both a class and a name column.
  bool NamesRunners() const { return class_name >= 0 && runner_name >= 0; }
};

// The positions of the columns named in the header line's fields.
TableColumns ReadTableColumns(const std::string& header_line);

// The trimmed field at a column position; "" when the column is absent or the line is short.
std::string FieldAt(const std::vector<std::string>& fields, int32_t column);

}  // namespace quorvex2::detail
