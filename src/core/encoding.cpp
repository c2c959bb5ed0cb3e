// Conversions between UTF-8 and the encodings of text files, through iconv.
#include "quorvex2/core/encoding.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "core/detail/iconv_converter.h"
#include "core/detail/utf8.h"

namespace quorvex2 {
namespace {

using detail::IconvConverter;

// The input bytes a rejected sequence of the encoding takes: a UTF-16 code unit, else a byte.
size_t RejectedUnit(const std::string& encoding) {
  return encoding.starts_with("UTF-16") ? 2 : 1;
}

std::string_view ByteOrderMark(const std::string& encoding) {
  if (encoding == "UTF-8") return "\xEF\xBB\xBF";
  if (encoding == "UTF-16LE") return "\xFF\xFE";
  if (encoding == "UTF-16BE") return "\xFE\xFF";
  return "";
}

// One converter to UTF-8 per source encoding and thread; iconv descriptors carry state.
IconvConverter& ConverterFrom(const std::string& encoding) {
  thread_local std::map<std::string, std::unique_ptr<IconvConverter>> converters;
  auto& converter = converters[encoding];
  if (!converter) converter = std::make_unique<IconvConverter>("UTF-8", encoding.c_str());
  return *converter;
}

// Valid UTF-8 as it is; every invalid byte becomes U+FFFD.
std::string ValidUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t start = pos;
    const char32_t cp = detail::DecodeUtf8(bytes, pos);
    if (detail::IsValidUtf8At(bytes, start)) {
      out.append(bytes.substr(start, pos - start));
    } else {
      detail::AppendUtf8(out, cp);
    }
  }
  return out;
}

std::string ToUtf8(std::string_view bytes, const std::string& encoding) {
  if (encoding == "UTF-8" || encoding == "ASCII") return ValidUtf8(bytes);
  IconvConverter& converter = ConverterFrom(encoding);
  if (!converter.IsOpen()) return ToUtf8(bytes, "WINDOWS-1252");
  const size_t unit = RejectedUnit(encoding);
  return converter.Convert(bytes, [unit](std::string_view, size_t, std::string& out) {
    detail::AppendUtf8(out, detail::kReplacementChar);
    return unit;
  });
}

}  // namespace

std::string SjisToUtf8(const std::string& bytes) {
  return ToUtf8(bytes, "CP932");
}

std::string Utf8ToSjis(const std::string& text) {
  thread_local IconvConverter converter("CP932", "UTF-8");
  const auto on_error = [](std::string_view in, size_t pos, std::string& out) {
    // A character CP932 cannot hold is skipped whole; an invalid byte alone.
    size_t next = pos;
    detail::DecodeUtf8(in, next);
    out += '?';
    return next - pos;
  };
  return converter.ConvertUtf8ByRuns(text, on_error);
}

std::string Utf8ToSjisHtml(const std::string& text) {
  thread_local IconvConverter converter("CP932", "UTF-8");
  return converter.ConvertUtf8ByRuns(text, [](std::string_view in, size_t pos, std::string& out) {
    size_t next = pos;
    const char32_t cp = detail::DecodeUtf8(in, next);
    if (detail::IsValidUtf8At(in, pos)) {
      out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";";
    } else {
      out += '?';
    }
    return next - pos;
  });
}

std::string ToValidUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) detail::AppendUtf8(out, detail::DecodeUtf8(text, pos));
  return out;
}

std::string Utf16leToUtf8(const std::string& bytes) {
  return ToUtf8(bytes, "UTF-16LE");
}

std::string DecodeText(std::string_view bytes, const std::string& encoding) {
  const std::string_view mark = ByteOrderMark(encoding);
  if (!mark.empty() && bytes.starts_with(mark)) bytes.remove_prefix(mark.size());
  return ToUtf8(bytes, encoding);
}

}  // namespace quorvex2
