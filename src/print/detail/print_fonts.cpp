#include "print/detail/print_fonts.h"

#include <array>
#include <stdexcept>
#include <string>

namespace quorvex2::detail {

namespace {

constexpr const char* kGothic = "ＭＳ ゴシック";
constexpr const char* kPGothic = "ＭＳ Ｐゴシック";
constexpr const char* kMincho = "ＭＳ 明朝";
constexpr const char* kPMincho = "ＭＳ Ｐ明朝";

struct FontStyle {
  std::string_view key;
  const char* name;
  float size;  // 0: the class label size
  bool bold;
  bool italic;
};

constexpr std::array<FontStyle, 21> kStyles{{
    {"ANALYSIS_CLASS", kGothic, 0, false, false},
    {"ANALYSIS_RUNNERNAME", kPMincho, 12, false, false},
    {"ANALYSIS_RUNNERNAME_LABEL", kGothic, 12, false, false},
    {"ANALYSIS_CLUBNAME", kPMincho, 9, false, false},
    {"ANALYSIS_CLUBNAME_LABEL", kGothic, 9, false, false},
    {"ANALYSIS_DATA", kPMincho, 12, false, false},
    {"ANALYSIS_DATA_LABEL", kGothic, 12, false, false},
    {"ANALYSIS_RANK", kMincho, 9, false, false},
    {"ANALYSIS_SECOND_DATA", kPMincho, 8, false, true},
    {"ANALYSIS_RELATIVE", kPMincho, 8, false, true},
    {"ANALYSIS_MISSTIME", kPMincho, 8, false, false},
    {"ANALYSIS_SECOND_DATA_LABEL", kGothic, 8, false, true},
    {"ANALYSIS_BASETIME", kGothic, 9, false, false},
    {"ANALYSIS_CLASS_MINI", kPGothic, 8, false, false},
    {"RESULT_CLASS", kGothic, 36, false, false},
    {"RESULT_LIMIT", kGothic, 9, false, false},
    {"RESULT_RANKFIXED", kGothic, 6, false, false},
    {"RESULT_PRIZE_L", kPGothic, 16, true, false},
    {"RESULT_PRIZE_S", kPGothic, 14, true, false},
    {"RESULT_STANDARD", kPMincho, 14, false, false},
    {"RESULT_SEED", kPGothic, 9, false, false},
}};

}  // namespace

StdFont PrintFont(std::string_view StyleKey, float ClassLabelFontSize) {
  for (const FontStyle& style : kStyles) {
    if (style.key != StyleKey) continue;
    const float size = style.size == 0 ? ClassLabelFontSize : style.size;
    return StdFont{style.name, size, style.bold, style.italic, false};
  }
  throw std::logic_error("no print font of the style " + std::string(StyleKey));
}

}  // namespace quorvex2::detail
