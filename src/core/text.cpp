// Small text procedures: trimming, case, counting, fields, quotes and name keys.
#include "quorvex2/core/text.h"

#include <string_view>
#include <vector>

#include "core/detail/utf8.h"

namespace quorvex2 {
namespace {

using detail::AppendUtf8;
using detail::DecodeUtf8;

char32_t UpperOf(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;              // full-width Latin
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;     // Latin-1
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;  // Greek
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;                // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

char32_t LowerOf(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 0x20;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

template <typename F>
std::string MapChars(const std::string& text, F map) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const size_t start = pos;
    const char32_t c = DecodeUtf8(text, pos);
    const char32_t mapped = map(c);
    // Bytes that are no valid UTF-8 are kept as they are.
    if (mapped == c) {
      out.append(text, start, pos - start);
    } else {
      AppendUtf8(out, mapped);
    }
  }
  return out;
}

size_t CountChars(std::string_view text) {
  size_t count = 0;
  for (size_t pos = 0; pos < text.size(); ++count) DecodeUtf8(text, pos);
  return count;
}

// Byte offset where the last `count` characters of the text begin (0 when it has fewer).
size_t OffsetOfLastChars(std::string_view text, size_t count) {
  const size_t total = CountChars(text);
  if (count >= total) return 0;
  size_t pos = 0;
  for (size_t skip = total - count; skip > 0; --skip) DecodeUtf8(text, pos);
  return pos;
}

bool IsQuoted(const std::string& text) {
  return text.size() >= 2 && text.front() == '"' && text.back() == '"';
}

struct SplitCache {
  std::string text;
  std::string separator;
  std::vector<std::string> fields;
};

}  // namespace

std::string Trim(const std::string& Text) {
  const size_t first = Text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  const size_t last = Text.find_last_not_of(' ');
  return Text.substr(first, last - first + 1);
}

std::string ToUpper(const std::string& Text) {
  return MapChars(Text, UpperOf);
}
std::string ToLower(const std::string& Text) {
  return MapChars(Text, LowerOf);
}

std::string CutRight(const std::string& Text, int32_t Count, const std::string& Suffix) {
  if (Count <= 0) return Text;
  const size_t count = static_cast<size_t>(Count);
  if (Suffix.empty()) {
    if (CountChars(Text) < count) return std::string();
    return Text.substr(0, OffsetOfLastChars(Text, count));
  }
  if (CountChars(Text) < count) return Text;
  const size_t offset = OffsetOfLastChars(Text, count);
  return Text.compare(offset, std::string::npos, Suffix) == 0 ? Text.substr(0, offset) : Text;
}

std::string ReplaceAll(const std::string& Text, const std::string& From, const std::string& To) {
  if (From.empty()) return Text;
  std::string out;
  out.reserve(Text.size());
  size_t start = 0;
  for (size_t pos; (pos = Text.find(From, start)) != std::string::npos;) {
    out.append(Text, start, pos - start);
    out += To;
    start = pos + From.size();
  }
  out.append(Text, start);
  return out;
}

int32_t CountString(const std::string& Text, const std::string& Pattern) {
  if (Pattern.empty()) return 0;
  int32_t count = 0;
  for (size_t pos = Text.find(Pattern); pos != std::string::npos;
       pos = Text.find(Pattern, pos + Pattern.size())) {
    ++count;
  }
  return count;
}

std::string GetSeparatedValue(const std::string& Text, int32_t Index,
                              const std::string& Separator) {
  if (Text.empty() || Separator.empty() || Index < 1) return std::string();
  // Readers ask for the fields of one line in turn; the last split is kept per thread.
  thread_local SplitCache cache;
  if (cache.text != Text || cache.separator != Separator || cache.fields.empty()) {
    cache.fields.clear();
    size_t start = 0;
    for (size_t pos; (pos = Text.find(Separator, start)) != std::string::npos;) {
      cache.fields.push_back(Text.substr(start, pos - start));
      start = pos + Separator.size();
    }
    cache.fields.push_back(Text.substr(start));
    cache.text = Text;
    cache.separator = Separator;
  }
  const size_t index = static_cast<size_t>(Index);
  return index <= cache.fields.size() ? cache.fields[index - 1] : std::string();
}

std::string MakeNameKey(const std::string& Text) {
  std::string out;
  out.reserve(Text.size());
  for (size_t pos = 0; pos < Text.size();) {
    const size_t start = pos;
    const char32_t c = DecodeUtf8(Text, pos);
    if (c == U' ' || c == 0x3000 || c == 0) continue;
    out.append(Text, start, pos - start);
  }
  return out;
}

std::string AddQuote(const std::string& Text) {
  return IsQuoted(Text) ? Text : "\"" + Text + "\"";
}

std::string RemoveQuote(const std::string& Text) {
  return IsQuoted(Text) ? Text.substr(1, Text.size() - 2) : Text;
}

}  // namespace quorvex2
