#pragma once
// The way every CSV result reader loads: the text's non-empty lines are gathered into a result
// table by the format, the table is placed into the event, and what was left out is reported.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/detail/format_registry.h"
#include "files/result_table.h"

namespace quorvex2::detail {

struct TableFormat {
  const char* location;  // of the error comment: "clsFileControl.LoadOeCsv"
  const char* expected;  // what the file should have held (marked for translation)
  // The table of the text's non-empty lines; no runners when the text is none of the format's.
  std::function<ResultTable(const std::vector<std::string>& lines)> gather;
};

// False with the error comment set when the file cannot be read, holds no runner the format
// can read, or every class had to be left out. What was left out of a successful load goes to
// the root's ShowMessage (or, without one, the error comment).
bool LoadResultTable(const ReadRequest& request, const TableFormat& format);

// The first lines of a sniffer's head text, at most `count`, empty ones skipped.
std::vector<std::string> HeadLines(std::string_view head_text, size_t count);

}  // namespace quorvex2::detail
