#pragma once
// One iconv conversion direction. Bytes the converter rejects are handed to a callback that
// appends a replacement, and the conversion goes on, so no input is lost as a whole.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>

namespace quorvex2::detail {

class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~IconvConverter() {
    if (IsOpen()) iconv_close(cd_);
  }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  // False when iconv does not know one of the encodings.
  bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; at every rejected sequence calls on_error(in, pos, out), which appends a
  // replacement and returns the number of input bytes to skip.
  template <typename OnError>
  std::string Convert(std::string_view in, OnError on_error) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 16);
    ConvertRange(in, 0, in.size(), out, on_error);
    return out;
  }

  // Converts in[pos, end) onto the end of `out`, replacing rejected sequences as Convert does.
  template <typename OnError>
  void ConvertRange(std::string_view in, size_t pos, size_t end, std::string& out,
                    OnError on_error) {
    if (!IsOpen()) return;
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
  std::string ConvertUtf8ByRuns(std::string_view in, OnError on_error) {
    std::string out;
    out.reserve(in.size() + 16);
    const auto is_ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    const auto end = in.end();
    for (auto pos = in.begin(); pos != end;) {
      const auto other = std::find_if_not(pos, end, is_ascii);
      out.append(pos, other);
      pos = std::find_if(other, end, is_ascii);
      ConvertRange(in, other - in.begin(), pos - in.begin(), out, on_error);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// True when iconv can decode the named encoding.
inline bool IconvKnows(const std::string& encoding) {
  return IconvConverter("UTF-8", encoding.c_str()).IsOpen();
}

}  // namespace quorvex2::detail
