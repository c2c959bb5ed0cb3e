#pragma once
// One runner line of a version-1 lap file or a generic table.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/csv_table_columns.h"
#include "quorvex2/core/lap_data.h"
#include "quorvex2/core/types.h"

namespace quorvex2::detail {

// The value a leg field stands for: a time, the skip or disqualified code, no data for any
// other text; nothing for an empty field (the leg stays untouched).
std::optional<Date> LegFieldValue(const std::string& field);

// A new record from the line's fields. With cumulative_legs, leg values that never decrease
// are taken as times since the start and turned into leg times.
std::shared_ptr<clsLapData> ReadRunnerLine(const std::vector<std::string>& fields,
                                           const TableColumns& columns, bool cumulative_legs);

}  // namespace quorvex2::detail
