#include "files/csv_table_lines.h"

#include <string_view>

#include <algorithm>

#include "files/detail/format_registry.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

std::optional<std::vector<std::string>> TableLines(const ReadRequest& request) {
  if (!request.file_data.empty()) return SplitText(NormalizeLineEnds(request.file_data), "\r\n");
  if (!IsFileExists(request.file_name)) return std::nullopt;
  return ReadTextLines(request.file_name, false);
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string::npos;
       start = end + separator.size()) {
    fields.push_back(text.substr(start, end - start));
  }
  fields.push_back(text.substr(start));
  return fields;
}

QuotedCells ScanQuotedCells(const std::string& line, std::string_view delimiters) {
  QuotedCells scan;
  bool cell_start = true;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (cell_start && c == '"') {
      const size_t open = i;
      for (++i; i < line.size(); ++i) {
        if (line[i] != '"') continue;
        if (i + 1 < line.size() && line[i + 1] == '"') {
          ++i;
        } else {
          break;
        }
      }
      if (i >= line.size()) {
        scan.open_at = open;
        return scan;
      }
      cell_start = false;
      continue;
    }
    scan.outside += c;
    if (delimiters.find(c) != std::string_view::npos) {
      cell_start = true;
    } else if (c != ' ') {
      cell_start = false;
    }
  }
  return scan;
}

std::vector<std::string> JoinQuotedCells(const std::vector<std::string>& lines,
                                         std::string_view delimiters) {
  constexpr size_t kMostJoinedLines = 4;
  std::vector<std::string> joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    const auto open = ScanQuotedCells(line, delimiters).open_at;
    if (open) {
      std::string record = line;
      size_t k = i + 1;
      for (; k < lines.size() && k <= i + kMostJoinedLines; ++k) {
        record += "\n" + lines[k];
        if (!ScanQuotedCells(record, delimiters).open_at) break;
      }
      if (k < lines.size() && k <= i + kMostJoinedLines) {
        line = std::move(record);
        i = k;
      } else {
        line.erase(*open, 1);
      }
    }
    joined.push_back(std::move(line));
  }
  return joined;
}

bool IsDelimitedTable(const std::vector<std::string>& lines, char delimiter) {
  size_t rows = 0, delimiters = 0;
  for (const std::string& whole : lines) {
    const std::string line = ScanQuotedCells(whole, ",;\t").outside;
    if (line.find(',') != std::string::npos) return false;
    if (line.empty()) continue;
    const auto count = static_cast<size_t>(std::count(line.begin(), line.end(), delimiter));
    if (count < 2 || (rows > 0 && count != delimiters)) return false;
    delimiters = count;
    ++rows;
  }
  return rows >= 3;
}

std::string CleanTableLine(const std::string& line) {
  std::string without_commas = line;
  std::erase(without_commas, ',');
  if (MakeNameKey(without_commas).empty()) return "";
  return Trim(line);
}

}  // namespace quorvex2::detail
