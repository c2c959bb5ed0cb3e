#include "files/detail/detect_file_type.h"

#include <exception>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "core/detail/component_state.h"
#include "core/detail/file_head.h"
#include "files/csv_table_lines.h"
#include "files/detail/file_error.h"
#include "files/detail/format_registry.h"
#include "files/detail/load_messages.h"
#include "files/iof_reading.h"
#include "files/si_listing_html.h"
#include "quorvex2/core/encoding.h"
#include "quorvex2/core/path.h"
#include "quorvex2/core/text.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kLocation = "clsFileControl.DetectFileType";

bool Contains(const std::string& line, const std::string& text) {
  return ToUpper(line).find(ToUpper(text)) != std::string::npos;
}

// The text names the failure and its place only: a text of fewer than three lines is no error
// of the platform, so there is no description to add.
int32_t FailDetection() {
  SetErrorComment(Tr(kDetectionFailed) + "\r\n" + kLocation);
  return QX_FILETYPE_UNKNOWN;
}

// Where the classic rules fall back to the generic table or to the native file, a format
// recognised by its content comes first.
int32_t SniffedOr(std::string_view text, int32_t classic_type) {
  const int32_t sniffed = SniffFileType(text.substr(0, kSniffBytes));
  return sniffed != 0 ? sniffed : classic_type;
}

// An XML text is an IOF ResultList when its root element says so, else a native file.
int32_t XmlFileType(std::string_view text) {
  const int32_t iof = IofResultListType(text.substr(0, kSniffBytes));
  return iof != 0 ? iof : QX_FILETYPE_QUORVEX2;
}

// A first line naming "xml" that starts no ResultList: a web page whose first line carries an
// xmlns attribute is no native file.
int32_t FirstLineXmlType(std::string_view text) {
  const int32_t type = XmlFileType(text);
  return type == QX_FILETYPE_QUORVEX2 ? SniffedOr(text, type) : type;
}

// Where the text comes from: a file, or the caller's text in memory. Only a file is told to be
// for appending only by its first line, and text in memory of fewer than three lines is refused
// before any rule looks at it.
enum class Source { kFile, kMemory };

// The rules on the first lines of a text with CR LF line ends.
int32_t DetectFromText(const std::string& text, const std::vector<std::string>& lines,
                       Source source) {
  if (lines.empty() || (source == Source::kMemory && lines.size() < 3)) return FailDetection();
  if (Contains(lines[0], "$LAPFILE Ver=2")) return QX_FILETYPE_QUORVEX1;
  if (source == Source::kFile && ToUpper(lines[0]) == "$IMPORT_ONLY") {
    return QX_FILETYPE_IMPORT_ONLY;
  }
  if (Contains(lines[0], "xml")) return FirstLineXmlType(text);
  if (lines.size() >= 2 && Contains(lines[1], "Split times of")) return QX_FILETYPE_OEVENT;
  // A result table of one runner (its header or class line, and the runner's row) is too short
  // for the rules below but known by its content.
  if (lines.size() < 3) {
    const int32_t sniffed = SniffFileType(text.substr(0, kSniffBytes));
    return sniffed != 0 ? sniffed : FailDetection();
  }
  if (Contains(lines[2], "SPORTident results")) return QX_FILETYPE_SPORTIDENT;
  // A web page no reader recognises is no table either: the listing reader says what it lacks.
  return SniffedOr(text, sportident::LooksLikeHtml(text.substr(0, kSniffBytes))
                             ? QX_FILETYPE_SPORTIDENT
                             : QX_FILETYPE_QUORVEX1);
}

// The first lines of a text with CR LF line ends, as a line input reads them: a line end after
// the last line does not start another one.
std::vector<std::string> FirstLines(const std::string& text, size_t count) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (lines.size() < count && start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Text already in memory is split at every line end, so a last line end gives a last, empty
// line.
int32_t DetectFromData(std::string& file_data) {
  file_data = NormalizeLineEnds(file_data);
  std::vector<std::string> lines = SplitText(file_data.substr(0, kSniffBytes), "\r\n");
  if (lines.size() > 3) lines.resize(3);
  return DetectFromText(file_data, lines, Source::kMemory);
}

// How much of the file's head the detection decodes: the first lines, enough for the sniffers'
// text in any encoding. The head is cut after its last line end (no double-byte character holds
// a line-end byte), or at a whole UTF-16 unit.
size_t DetectionLength(std::string_view head, bool whole_file) {
  if (whole_file) return head.size();
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return head.size() & ~size_t{1};
  const size_t line_end = head.find_last_of("\r\n");
  return line_end == std::string_view::npos ? head.size() : line_end + 1;
}

int32_t DetectFromFile(const std::string& file_name) {
  constexpr size_t kHeadBytes = 4 * kSniffBytes;
  std::optional<std::string> head;
  if (IsFileExists(file_name)) head = ReadFileHead(file_name, kHeadBytes);
  if (!head) throw std::runtime_error(FileReadErrorDescription(file_name));
  if (head->empty()) throw std::runtime_error(EmptyFileText(file_name));
  const std::string_view bytes = *head;
  const std::string text =
      DecodeTextFile(bytes.substr(0, DetectionLength(bytes, bytes.size() < kHeadBytes)));
  return DetectFromText(text, FirstLines(text, 3), Source::kFile);
}

}  // namespace

int32_t DetectFileType(const std::string& file_name, std::string& file_data) {
  try {
    // An IOF ResultList is told by its root element, whatever its name, encoding or prolog.
    if (const int32_t iof = SniffIofResultList(file_name, file_data); iof != 0) return iof;
    const std::string extension = GetExtension(file_name);
    if (extension == "xml" || extension == "lxm") return QX_FILETYPE_QUORVEX2;
    if (!file_data.empty()) return DetectFromData(file_data);
    return DetectFromFile(file_name);
  } catch (const std::exception& error) {
    SetErrorComment(Tr(kDetectionError) + "\r\n" + kLocation + "\r\n" + error.what());
    return QX_FILETYPE_UNKNOWN;
  }
}

}  // namespace quorvex2::detail
