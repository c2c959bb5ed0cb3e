#include "core/detail/plural_forms.h"

#include <cctype>
#include <optional>

namespace quorvex2::detail {
namespace {

// Evaluates a plural rule: the C operators ?: || && == != < > <= >= + - * / % ! and
// parentheses over n and whole numbers. A rule that does not parse has no value.
class RuleEvaluator {
 public:
  RuleEvaluator(std::string_view rule, uint64_t n) : text_(rule), n_(n) {}

  std::optional<uint64_t> Evaluate() {
    const uint64_t value = Conditional();
    Blanks();
    if (failed_ || at_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  uint64_t Conditional() {
    const uint64_t condition = Binary(0);
    if (!Take("?")) return condition;
    const uint64_t yes = Conditional();
    if (!Take(":")) failed_ = true;
    const uint64_t no = Conditional();
    return condition != 0 ? yes : no;
  }

  // Binary operators by precedence, loosest first; each level's operators bind left to right.
  uint64_t Binary(size_t level) {
    static constexpr std::string_view kLevels[][4] = {
        {"||"}, {"&&"}, {"==", "!="}, {"<=", ">=", "<", ">"}, {"+", "-"}, {"*", "/", "%"}};
    if (level == std::size(kLevels)) return Unary();
    uint64_t left = Binary(level + 1);
    for (bool more = true; more && !failed_;) {
      more = false;
      for (std::string_view op : kLevels[level]) {
        if (op.empty() || !Take(op)) continue;
        left = Apply(op, left, Binary(level + 1));
        more = true;
        break;
      }
    }
    return left;
  }

  static uint64_t Apply(std::string_view op, uint64_t a, uint64_t b) {
    if (op == "||") return a != 0 || b != 0;
    if (op == "&&") return a != 0 && b != 0;
    if (op == "==") return a == b;
    if (op == "!=") return a != b;
    if (op == "<=") return a <= b;
    if (op == ">=") return a >= b;
    if (op == "<") return a < b;
    if (op == ">") return a > b;
    if (op == "+") return a + b;
    if (op == "-") return a - b;
    if (op == "*") return a * b;
    if (b == 0) return 0;  // no division by zero, whatever a rule says
    return op == "/" ? a / b : a % b;
  }

  uint64_t Unary() {
    if (Take("!")) return Unary() == 0;
    if (Take("(")) {
      const uint64_t value = Conditional();
      if (!Take(")")) failed_ = true;
      return value;
    }
    if (Take("n")) return n_;
    return Number();
  }

  uint64_t Number() {
    Blanks();
    if (at_ >= text_.size() || !std::isdigit(static_cast<unsigned char>(text_[at_]))) {
      failed_ = true;
      return 0;
    }
    uint64_t value = 0;
    while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) {
      value = value * 10 + static_cast<uint64_t>(text_[at_++] - '0');
    }
    return value;
  }

  // Takes `token` when it comes next; "<" is not taken from "<=", "!" not from "!=".
  bool Take(std::string_view token) {
    Blanks();
    if (failed_ || text_.substr(at_, token.size()) != token) return false;
    const bool compares = token == "<" || token == ">" || token == "!";
    if (compares && text_.substr(at_ + 1, 1) == "=") return false;
    at_ += token.size();
    return true;
  }

  void Blanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }

  std::string_view text_;
  uint64_t n_;
  size_t at_ = 0;
  bool failed_ = false;
};

// The value after `key` up to the next ';' in the Plural-Forms line of a header.
std::string_view Field(std::string_view header, std::string_view key) {
  const size_t line = header.find("Plural-Forms:");
  if (line == std::string_view::npos) return {};
  const std::string_view forms = header.substr(line, header.find('\n', line) - line);
  const size_t at = forms.find(key);
  if (at == std::string_view::npos) return {};
  const std::string_view value = forms.substr(at + key.size());
  return value.substr(0, value.find(';'));
}

}  // namespace

PluralForms::PluralForms(std::string_view header) {
  const std::string_view count = Field(header, "nplurals=");
  const std::string_view rule = Field(header, "plural=");
  const auto forms = RuleEvaluator(count, 0).Evaluate();
  if (!forms || *forms == 0 || *forms > 6 || !RuleEvaluator(rule, 0).Evaluate()) return;
  forms_ = static_cast<uint32_t>(*forms);
  rule_ = std::string(rule);
}

uint32_t PluralForms::Index(uint64_t count) const {
  const auto index = RuleEvaluator(rule_, count).Evaluate();
  return index && *index < forms_ ? static_cast<uint32_t>(*index) : 0;
}

}  // namespace quorvex2::detail
