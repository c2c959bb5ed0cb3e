#pragma once
// A JSON text built piece by piece, for the data the web viewer's pages embed. Strings are
// escaped so that the text may stand inside a <script> element of an HTML page ("<" is never
// written as itself).
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex2::detail {

class JsonText {
 public:
  JsonText& BeginObject();
  JsonText& EndObject();
  JsonText& BeginArray();
  JsonText& EndArray();
  // The name of the next member of an object.
  JsonText& Key(std::string_view name);
  JsonText& String(std::string_view text);
  JsonText& Int(int64_t value);
  JsonText& Bool(bool value);
  JsonText& Null();
  // A number already written as JSON wants it ("12.5", "-3").
  JsonText& Number(std::string_view digits);

  const std::string& Text() const { return out_; }
  std::string Take() { return std::move(out_); }
  void Reserve(size_t bytes) { out_.reserve(bytes); }

 private:
  void BeforeValue();
  std::string out_;
  bool need_comma_ = false;
};

}  // namespace quorvex2::detail
