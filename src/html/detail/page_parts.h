#pragma once
// Building blocks shared by the HTML pages.
#include <cstdint>
#include <string>

namespace quorvex2 {
class clsAnalyzer;
}

namespace quorvex2::detail {

inline constexpr const char* kCrLf = "\r\n";
inline constexpr const char* kHomePage = "https://quorvex2.example.org/";

// "&", "<", ">" and the double quote as entities, for texts that come from lap files.
std::string EscapeHtml(const std::string& text);

// <head> ... </head>, with the built-in table style when `builtin_style` is set.
std::string HeadBlock(const std::string& encoding, bool builtin_style,
                      const std::string& link_style_file);
std::string Footer();

// <tr bgcolor="#color"><td colspan="n" attr >title</td></tr>
std::string SectionTitleRow(const std::string& color, int32_t columns,
                            const std::string& cell_attribute, const std::string& title);

// bgcolor of the first three ranks; "" for others.
std::string RankColorAttribute(int32_t rank);

// "<br>" and the reason when the analyzer holds no runners; "" when it has runners.
std::string NoDataMessage(const clsAnalyzer& analyzer);

// The data set's title cell text: name, event description and class information.
std::string DataSetTitle(const clsAnalyzer& analyzer);

}  // namespace quorvex2::detail
