// Whether an XML text is an IOF ResultList, decided from its root start tag alone.
#include "files/iof_reading.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2::detail {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Past the end of the construct that starts at `at` and ends with `close`; npos when unclosed.
size_t After(std::string_view text, size_t at, std::string_view close) {
  const size_t end = text.find(close, at);
  return end == std::string_view::npos ? end : end + close.size();
}

// A DOCTYPE may hold an internal subset in brackets, whose declarations contain '>'.
size_t AfterDoctype(std::string_view text, size_t at) {
  const size_t bracket = text.find('[', at);
  const size_t close = text.find('>', at);
  if (bracket != std::string_view::npos && bracket < close) return After(text, bracket, "]>");
  return close == std::string_view::npos ? close : close + 1;
}

// The position of the root element's '<', npos when there is none in the text.
size_t RootStart(std::string_view text) {
  size_t at = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (at < text.size()) {
    if (IsSpace(text[at])) {
      ++at;
    } else if (text.substr(at).starts_with("<?")) {
      at = After(text, at, "?>");
    } else if (text.substr(at).starts_with("<!--")) {
      at = After(text, at, "-->");
    } else if (text.substr(at).starts_with("<!")) {
      at = AfterDoctype(text, at);
    } else {
      return text[at] == '<' ? at : std::string_view::npos;
    }
  }
  return std::string_view::npos;
}

}  // namespace

int32_t IofResultListType(std::string_view head) {
  const size_t start = RootStart(head);
  if (start == std::string_view::npos) return 0;
  const size_t name_end = head.find_first_of(" \t\r\n/>", start);
  std::string_view name = head.substr(start + 1, name_end - start - 1);
  if (const size_t colon = name.rfind(':'); colon != std::string_view::npos) {
    name.remove_prefix(colon + 1);
  }
  if (name != "ResultList") return 0;
  const std::string_view tag = head.substr(start, head.find('>', start) - start);
  const bool version3 = tag.find(kIof3Namespace) != std::string_view::npos ||
                        tag.find("iofVersion=\"3.0\"") != std::string_view::npos ||
                        tag.find("iofVersion='3.0'") != std::string_view::npos;
  return version3 ? QX_FILETYPE_IOF_XML_30_RESULT : QX_FILETYPE_IOF_XML_20_RESULT;
}

}  // namespace quorvex2::detail
