// Shift-JIS (code page 932) and UTF-16LE through iconv. Bytes the converter rejects are replaced
// and the conversion goes on, so no input is lost as a whole.
#include "quorvex2/core/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string>

#include "core/detail/utf8.h"

namespace quorvex2 {
namespace {

bool IsAscii(char c) {
  return static_cast<unsigned char>(c) < 0x80;
}

// One converter per direction and thread; iconv descriptors carry state and are not shared.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; at every rejected sequence calls on_error(in, pos, out), which appends a
  // replacement and returns the number of input bytes to skip.
  template <typename OnError>
  std::string Convert(const std::string& in, OnError on_error) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 16);
    ConvertRange(in, 0, in.size(), out, on_error);
    return out;
  }

  // Converts in[pos, end) onto the end of `out`, replacing rejected sequences as Convert does.
  template <typename OnError>
  void ConvertRange(const std::string& in, size_t pos, size_t end, std::string& out,
                    OnError on_error) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[4096];
    while (pos < end) {
      char* src = const_cast<char*>(in.data() + pos);
      size_t src_left = end - pos;
      char* dst = buffer;
      size_t dst_left = sizeof(buffer);
      const size_t result = iconv(cd_, &src, &src_left, &dst, &dst_left);
      const int error = errno;
      out.append(buffer, dst - buffer);
      pos = end - src_left;
      if (result != static_cast<size_t>(-1)) continue;
      if (error == E2BIG) continue;
      // EILSEQ or EINVAL (an incomplete sequence at the end).
      pos += on_error(in, pos, out);
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
  }

  // Converts UTF-8 `in` into an encoding that holds ASCII as itself (CP932 does). No UTF-8
  // sequence of another character contains an ASCII byte, so ASCII runs are copied and only the
  // runs of other characters go through iconv; the result is that of Convert.
  template <typename OnError>
  std::string ConvertUtf8ByRuns(const std::string& in, OnError on_error) {
    std::string out;
    out.reserve(in.size() + 16);
    const auto end = in.end();
    for (auto pos = in.begin(); pos != end;) {
      const auto other = std::find_if_not(pos, end, IsAscii);
      out.append(pos, other);
      pos = std::find_if(other, end, IsAscii);
      ConvertRange(in, other - in.begin(), pos - in.begin(), out, on_error);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

std::string SjisToUtf8(const std::string& bytes) {
  thread_local Converter converter("UTF-8", "CP932");
  return converter.Convert(bytes, [](const std::string&, size_t, std::string& out) {
    detail::AppendUtf8(out, detail::kReplacementChar);
    return size_t{1};
  });
}

std::string Utf8ToSjis(const std::string& text) {
  thread_local Converter converter("CP932", "UTF-8");
  const auto on_error = [](const std::string& in, size_t pos, std::string& out) {
    // A character CP932 cannot hold is skipped whole; an invalid byte alone.
    size_t next = pos;
    detail::DecodeUtf8(in, next);
    out += '?';
    return next - pos;
  };
  return converter.ConvertUtf8ByRuns(text, on_error);
}

std::string Utf8ToSjisHtml(const std::string& text) {
  thread_local Converter converter("CP932", "UTF-8");
  return converter.ConvertUtf8ByRuns(text, [](const std::string& in, size_t pos, std::string& out) {
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

std::string Utf16leToUtf8(const std::string& bytes) {
  thread_local Converter converter("UTF-8", "UTF-16LE");
  return converter.Convert(bytes, [](const std::string&, size_t, std::string& out) {
    // An unpaired surrogate or a trailing odd byte.
    detail::AppendUtf8(out, detail::kReplacementChar);
    return size_t{2};
  });
}

}  // namespace quorvex2
