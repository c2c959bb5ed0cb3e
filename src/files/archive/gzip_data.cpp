#include "files/archive/gzip_data.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>

#include "quorvex2/core/path.h"

namespace quorvex2::detail::archive {
namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr int kGzipWindow = 16 + MAX_WBITS;  // the gzip wrapping, no zlib or raw streams

// A gzip stream unpacked from a file, a block of the file at a time.
class Inflater {
 public:
  explicit Inflater(const std::string& path)
      : file_(ToFileSystemPath(path), std::ios::binary), input_(kBlockSize, '\0') {
    ready_ = file_ && inflateInit2(&stream_, kGzipWindow) == Z_OK;
  }
  ~Inflater() {
    if (ready_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  DataStatus Read(std::string& data, uint64_t limit, std::string& error) {
    if (!ready_) return Fail(error, "cannot open the gzip file");
    bool in_member = true;
    bool padding = false;
    std::string output(kBlockSize, '\0');
    while (Refill()) {
      if (!in_member) {
        // A member ended: the next starts here, unless zero bytes pad the file to its end.
        const size_t zeros = LeadingZeros();
        padding = padding || zeros > 0;
        stream_.next_in += zeros;
        stream_.avail_in -= static_cast<uInt>(zeros);
        if (stream_.avail_in == 0) continue;
        if (padding) return Fail(error, "data after the padding of a gzip file");
        inflateReset(&stream_);
        in_member = true;
      }
      stream_.next_out = reinterpret_cast<Bytef*>(output.data());
      stream_.avail_out = static_cast<uInt>(output.size());
      const int status = inflate(&stream_, Z_NO_FLUSH);
      const size_t produced = output.size() - stream_.avail_out;
      if (data.size() + produced > limit) return DataStatus::kTooLarge;
      data.append(output, 0, produced);
      if (status == Z_STREAM_END) {
        in_member = false;
      } else if (status != Z_OK && status != Z_BUF_ERROR) {
        return Damaged(error);
      }
    }
    if (file_.bad()) return Fail(error, "cannot read the gzip file");
    return in_member ? Fail(error, "truncated gzip input") : DataStatus::kComplete;
  }

 private:
  // Input waiting to be unpacked; false at the end of the file.
  bool Refill() {
    if (stream_.avail_in > 0) return true;
    file_.read(input_.data(), static_cast<std::streamsize>(input_.size()));
    stream_.next_in = reinterpret_cast<Bytef*>(input_.data());
    stream_.avail_in = static_cast<uInt>(file_.gcount());
    return stream_.avail_in > 0;
  }

  size_t LeadingZeros() const {
    const Bytef* begin = stream_.next_in;
    const Bytef* end = begin + stream_.avail_in;
    return static_cast<size_t>(std::find_if(begin, end, [](Bytef b) { return b != 0; }) - begin);
  }

  DataStatus Damaged(std::string& error) const {
    const std::string text = stream_.msg ? stream_.msg : "unreadable gzip data";
    if (text == "incorrect length check") return DataStatus::kSizeDiffers;
    return Fail(error, text);
  }

  static DataStatus Fail(std::string& error, const std::string& text) {
    error = text;
    return DataStatus::kDamaged;
  }

  std::ifstream file_;
  std::string input_;
  z_stream stream_{};
  bool ready_ = false;
};

}  // namespace

DataStatus ReadGzipData(const std::string& path, std::string& data, uint64_t limit,
                        std::string& error) {
  data.clear();
  error.clear();
  return Inflater(path).Read(data, limit, error);
}

}  // namespace quorvex2::detail::archive
