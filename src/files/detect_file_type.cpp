#include "files/detail/detect_file_type.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/detail/component_state.h"
#include "files/detail/file_error.h"
#include "files/detail/file_head.h"
#include "files/detail/format_registry.h"
#include "files/iof_reading.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kLocation = "clsFileControl.DetectFileType";

// Every piece between separators, empty pieces kept (a trailing separator gives a last "").
std::vector<std::string> SplitAll(const std::string& text, std::string_view separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos;
       start = at + separator.size()) {
    pieces.push_back(text.substr(start, at - start));
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

bool Contains(const std::string& line, const std::string& text) {
  return ToUpper(line).find(ToUpper(text)) != std::string::npos;
}

int32_t FailDetection() {
  SetErrorComment(std::string("ファイルタイプ判別に失敗しました\r\n") + kLocation);
  return QX_FILETYPE_UNKNOWN;
}

// Where the classic rules fall back to the generic table, a format recognised by its content
// comes first.
int32_t SniffedOrGenericTable(std::string_view head_text) {
  const int32_t sniffed = SniffFileType(head_text.substr(0, kSniffBytes));
  return sniffed != 0 ? sniffed : QX_FILETYPE_QUORVEX1;
}

int32_t DetectFromLines(const std::vector<std::string>& lines, std::string_view text) {
  if (lines.size() < 3) return FailDetection();
  if (Contains(lines[0], "$LAPFILE Ver=2")) return QX_FILETYPE_QUORVEX1;
  if (Contains(lines[0], "xml")) return QX_FILETYPE_QUORVEX2;
  if (Contains(lines[1], "Split times of")) return QX_FILETYPE_OEVENT;
  if (Contains(lines[2], "SPORTident results")) return QX_FILETYPE_SPORTIDENT;
  return SniffedOrGenericTable(text);
}

int32_t DetectFromData(std::string& file_data) {
  auto lines = SplitAll(file_data, "\r\n");
  if (lines.size() == 1) {
    lines = SplitAll(file_data, "\r");
    file_data = JoinLines(lines);
  }
  return DetectFromLines(lines, file_data);
}

// The head of a file as the sniffers see it: decoded, CR LF line ends.
std::string HeadText(const std::string& bytes) {
  const std::string head = bytes.substr(0, kSniffBytes);
  const bool utf16 = head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
                     static_cast<unsigned char>(head[1]) == 0xFE;
  std::string text = utf16 ? Utf16leToUtf8(head.substr(2)) : SjisToUtf8(head);
  text = ReplaceAll(text, "\r\n", "\n");
  std::replace(text.begin(), text.end(), '\r', '\n');
  return ReplaceAll(text, "\n", "\r\n");
}

// The first lines of a text file as the platform's line input reads them: a line ends at CR
// or CR LF; a LF alone stays inside the line.
std::vector<std::string> ReadFirstLines(const std::string& bytes, size_t count) {
  if (bytes.empty()) throw std::runtime_error("Input past end of file");
  std::vector<std::string> lines;
  size_t start = 0;
  while (lines.size() < count && start < bytes.size()) {
    size_t end = bytes.find('\r', start);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(SjisToUtf8(bytes.substr(start, end - start)));
    start = end + 1;
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

std::string ConvertLfLines(const std::string& line) {
  std::string text;
  text.reserve(line.size() + line.size() / 16);
  for (char c : line) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

int32_t DetectFromFile(const std::string& file_name, std::string& file_data) {
  const auto bytes = ReadFileBytes(file_name);
  if (!bytes) throw std::runtime_error(FileReadErrorDescription(file_name));
  const auto lines = ReadFirstLines(*bytes, 3);
  if (Contains(lines[0], "$LAPFILE Ver=2")) return QX_FILETYPE_QUORVEX1;
  if (ToUpper(lines[0]) == "$IMPORT_ONLY") return QX_FILETYPE_IMPORT_ONLY;
  if (Contains(lines[0], "xml")) return QX_FILETYPE_QUORVEX2;
  if (lines.size() == 1) {
    std::string converted = ConvertLfLines(lines[0]);
    // An empty conversion would send the detection back to the file.
    if (converted.empty()) return FailDetection();
    const int32_t type = DetectFromData(converted);
    file_data = std::move(converted);
    return type;
  }
  if (Contains(lines[1], "Split times of")) return QX_FILETYPE_OEVENT;
  if (lines.size() == 2) return FailDetection();
  if (Contains(lines[2], "SPORTident results")) return QX_FILETYPE_SPORTIDENT;
  return SniffedOrGenericTable(HeadText(*bytes));
}

// An ".xml" file is an IOF ResultList when its root element says so, else a native file.
int32_t DetectXmlFile(const std::string& file_name, const std::string& file_data) {
  const int32_t iof =
      IofResultListType(file_data.empty() ? ReadFileHead(file_name).value_or("") : file_data);
  return iof != 0 ? iof : QX_FILETYPE_QUORVEX2;
}

}  // namespace

int32_t DetectFileType(const std::string& file_name, std::string& file_data) {
  try {
    const std::string extension = GetExtension(file_name);
    if (extension == "xml") return DetectXmlFile(file_name, file_data);
    if (extension == "lxm") return QX_FILETYPE_QUORVEX2;
    if (!file_data.empty()) return DetectFromData(file_data);
    return DetectFromFile(file_name, file_data);
  } catch (const std::exception& error) {
    SetErrorComment(std::string("ファイルタイプが判別に失敗しました\r\n") + kLocation + "\r\n" +
                    error.what());
    return QX_FILETYPE_UNKNOWN;
  }
}

}  // namespace quorvex2::detail
