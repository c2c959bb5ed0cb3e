// A text file's bytes as the readers see them: decoded, line ends normalised, and without the
// marks that tools add around the content.
#include <string>

#include "quorvex2/core/encoding.h"

namespace quorvex2 {
namespace {

constexpr char kEndOfFile = '\x1A';

// Old DOS and Windows exporters end a text file with Ctrl-Z; everything from it on is dropped
// when only blanks follow it.
void DropEndOfFileMark(std::string& text) {
  const size_t last = text.find_last_not_of(" \t\r\n");
  if (last == std::string::npos || text[last] != kEndOfFile) return;
  const size_t first = text.find_last_not_of(kEndOfFile, last);
  text.erase(first == std::string::npos ? 0 : first + 1);
}

// A spreadsheet's separator hint ("sep=;") as the first line: the tables find their separator
// themselves.
void DropSeparatorHint(std::string& text) {
  constexpr std::string_view kHint = "sep=";
  const size_t end = text.find("\r\n");
  if (text.starts_with(kHint) && end == kHint.size() + 1) text.erase(0, end + 2);
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes) {
  std::string text = NormalizeLineEnds(DecodeText(bytes, DetectTextEncoding(bytes)));
  DropEndOfFileMark(text);
  DropSeparatorHint(text);
  return text;
}

}  // namespace quorvex2
