// Whether an XML text is an IOF ResultList, decided from its root start tag alone.
#include <optional>
#include <string>
#include <string_view>

#include "core/detail/file_head.h"
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

// A DOCTYPE may hold an internal subset in brackets, whose declarations contain '>'; the
// subset ends at a ']' followed by '>' (blanks allowed between).
size_t AfterDoctype(std::string_view text, size_t at) {
  const size_t bracket = text.find('[', at);
  const size_t close = text.find('>', at);
  if (bracket == std::string_view::npos || bracket > close) {
    return close == std::string_view::npos ? close : close + 1;
  }
  for (size_t end = text.find(']', bracket); end != std::string_view::npos;
       end = text.find(']', end + 1)) {
    size_t next = end + 1;
    while (next < text.size() && IsSpace(text[next])) ++next;
    if (next < text.size() && text[next] == '>') return next + 1;
  }
  return std::string_view::npos;
}

constexpr size_t kNone = std::string_view::npos;

// The position of the root element's '<'; npos when the text holds something else before it
// or ends before it (then `unfinished` says so).
size_t RootStart(std::string_view text, bool* unfinished = nullptr) {
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
      return text[at] == '<' ? at : kNone;
    }
  }
  if (unfinished != nullptr) *unfinished = true;
  return kNone;
}

// A UTF-16 text (byte-order mark or not) as far as the root start tag needs: each character
// below 128 as itself, any other as '?'. Other texts come back unchanged.
std::string AsciiOfUtf16(std::string_view bytes) {
  if (bytes.size() < 2) return std::string(bytes);
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  const auto b1 = static_cast<unsigned char>(bytes[1]);
  const bool mark = (b0 == 0xFF && b1 == 0xFE) || (b0 == 0xFE && b1 == 0xFF);
  const bool little = (b0 == 0xFF && b1 == 0xFE) || (b0 == '<' && b1 == 0);
  const bool big = (b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 == '<');
  if (!little && !big) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size() / 2);
  for (size_t at = mark ? 2 : 0; at + 1 < bytes.size(); at += 2) {
    const auto low = static_cast<unsigned char>(bytes[at + (little ? 0 : 1)]);
    const auto high = static_cast<unsigned char>(bytes[at + (little ? 1 : 0)]);
    text += high == 0 && low < 128 ? static_cast<char>(low) : '?';
  }
  return text;
}

// A prolog longer than the usual head (an internal DTD subset, long comments) is read on up to
// this size.
constexpr size_t kLongestProlog = 4 * 1024 * 1024;

bool EndsInProlog(std::string_view text) {
  bool unfinished = false;
  RootStart(text, &unfinished);
  return unfinished;
}

}  // namespace

int32_t SniffIofResultList(const std::string& file_name, const std::string& file_data) {
  // The text's first `size` bytes, from memory or from the file.
  auto head = [&](size_t size) -> std::optional<std::string> {
    if (!file_data.empty()) return file_data.substr(0, size);
    return ReadFileHead(file_name, size);
  };
  const auto first = head(kFileHeadSize);
  if (!first) return 0;
  std::string text = AsciiOfUtf16(*first);
  if (first->size() == kFileHeadSize && EndsInProlog(text)) {
    text = AsciiOfUtf16(head(kLongestProlog).value_or(""));
  }
  return IofResultListType(text);
}

int32_t IofResultListType(std::string_view head) {
  const size_t start = RootStart(head);
  if (start == kNone) return 0;
  const size_t name_end = head.find_first_of(" \t\r\n/>", start);
  std::string_view name = head.substr(start + 1, name_end - start - 1);
  if (const size_t colon = name.rfind(':'); colon != std::string_view::npos) {
    name.remove_prefix(colon + 1);
  }
  if (name != "ResultList") return 0;
  const std::string_view tag = head.substr(start, head.find('>', start) - start);
  // The 3.0 namespace also as hand-made files write it: https, or with a closing "/".
  const bool version3 = tag.find("orienteering.org/datastandard/3.0") != std::string_view::npos ||
                        tag.find("iofVersion=\"3.0\"") != std::string_view::npos ||
                        tag.find("iofVersion='3.0'") != std::string_view::npos;
  return version3 ? QX_FILETYPE_IOF_XML_30_RESULT : QX_FILETYPE_IOF_XML_20_RESULT;
}

}  // namespace quorvex2::detail
