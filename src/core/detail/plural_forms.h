#pragma once
// The plural rule of a message catalogue, as its header states it in C syntax
// ("Plural-Forms: nplurals=2; plural=(n != 1);"): which of a message's forms a count takes.
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex2::detail {

class PluralForms {
 public:
  // The rule of a catalogue header; without one (or with one that does not parse), the
  // Germanic rule n != 1 of two forms.
  explicit PluralForms(std::string_view header = "");

  // The form for `count`: 0 .. forms() - 1.
  uint32_t Index(uint64_t count) const;
  uint32_t forms() const { return forms_; }
  // The rule as the header states it, in C syntax ("n != 1").
  const std::string& rule() const { return rule_; }

 private:
  uint32_t forms_ = 2;
  std::string rule_ = "n != 1";
};

}  // namespace quorvex2::detail
