// Shift-JIS (code page 932) and UTF-16LE through iconv. Bytes the converter rejects are replaced
// and the conversion goes on, so no input is lost as a whole.
#include "quorvex2/core/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "core/detail/utf8.h"

namespace quorvex2 {
namespace {

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
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.reserve(in.size() * 3 / 2 + 16);
    char buffer[4096];
    size_t pos = 0;
    while (pos < in.size()) {
      char* src = const_cast<char*>(in.data() + pos);
      size_t src_left = in.size() - pos;
      char* dst = buffer;
      size_t dst_left = sizeof(buffer);
      const size_t result = iconv(cd_, &src, &src_left, &dst, &dst_left);
      const int error = errno;
      out.append(buffer, dst - buffer);
      pos = in.size() - src_left;
      if (result != static_cast<size_t>(-1)) continue;
      if (error == E2BIG) continue;
      // EILSEQ or EINVAL (an incomplete sequence at the end).
      pos += on_error(in, pos, out);
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
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
  return converter.Convert(text, [](const std::string& in, size_t pos, std::string& out) {
    // A character CP932 cannot hold is skipped whole; an invalid byte alone.
    size_t next = pos;
    detail::DecodeUtf8(in, next);
    out += '?';
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
