#pragma once
// Control codes of an IOF list as the numbers a course holds. A code of digits is its number; a
// code with letters ("M31", "31a") gets a number of its own from 9000 on that no code of digits in
// the list has (nor 9999, the finish), the same number for the same text throughout the list and
// the lists loaded into one event, so that two controls never become one. (The numbers of a
// native file saved from such an event are not kept from it: the same list loaded onto that file
// numbers its codes as it did before, in the order they are met.)
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvex2::detail {

class IofCodeBook {
 public:
  static constexpr int32_t kFirstLettered = 9000;
  static constexpr int32_t kFinish = 9999;

  // Keeps the numbers of the codes of digits the list's text holds ("<ControlCode>9000<", any
  // prefix) from the lettered codes.
  void Reserve(std::string_view text);
  // Goes on from the numbers that earlier lists loaded into the event gave.
  void Continue(const std::unordered_map<std::string, int32_t>& earlier);
  const std::unordered_map<std::string, int32_t>& Lettered() const { return lettered_; }
  // The code's number; 0 for no code.
  int32_t Number(const std::string& code);
  // The code as the digits of its number when it is a lettered one, else as it is.
  std::string Digits(const std::string& code);
  // The lettered codes numbered so far, in the order met: "M31 = 9000, K7 = 9001".
  std::string Numbered() const;

 private:
  std::unordered_map<std::string, int32_t> lettered_;
  std::vector<std::string> met_;
  std::set<int32_t> reserved_;
  int32_t next_ = kFirstLettered;
};

}  // namespace quorvex2::detail
