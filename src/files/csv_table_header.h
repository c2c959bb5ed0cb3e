#pragma once
// Header lines of text tables: the many ways people name their columns mapped to the column
// names the readers look for ("NAME", "氏名" -> "名前"; "CLASS", "ｸﾗｽ" -> "クラス"; bare control
// numbers and "S-1", "3-F" -> leg labels such as "△→１" and "３→◎").
#include <string>

namespace quorvex2::detail {

// The field in upper case and half width, as the header and orientation rules compare it.
std::string HeaderKey(const std::string& field);

// True when the line names a name column (氏名, 名前, NAMAE or NAME in upper case, half width).
bool IsTableHeaderLine(const std::string& line);

// A header line with every field mapped to its column name and ",クラス" appended when it names
// no class column; any other line comes back unchanged.
std::string NormalizeHeaderLine(const std::string& line);

}  // namespace quorvex2::detail
