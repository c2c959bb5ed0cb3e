#include "html/detail/page_parts.h"
#include "core/detail/catalogue.h"

#include "core/detail/component_state.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/version.h"

namespace quorvex2::detail {

std::string EscapeHtml(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string HeadBlock(const std::string& encoding, bool builtin_style,
                      const std::string& link_style_file) {
  std::string out = std::string("<head>") + kCrLf;
  out +=
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + encoding + "\">" + kCrLf;
  out += "<meta name=\"generator\" content=\"Quorvex Ver." + VersionText() + "\">" + kCrLf;
  if (builtin_style) {
    out += std::string("<style type=\"text/css\">") + kCrLf + "<!--" + kCrLf +
           "table { border-width: 0px 0px 1px 1px ; border-color: black }" + kCrLf +
           "td { font-family: " + Tr("css", "'ＭＳ ゴシック'") +
           "; font-size: 10pt;border-width: 1px 1px 0px 0px ; border-color: black }" + kCrLf +
           "-->" + kCrLf + "</style>" + kCrLf;
  }
  if (!link_style_file.empty()) {
    out += "<link rel=\"stylesheet\" type=\"text/css\" href=\"" + link_style_file + "\">" + kCrLf;
  }
  return out + "</head>" + kCrLf;
}

std::string Footer() {
  return std::string("<br><i><a href=\"") + kHomePage + "\">Made with Quorvex Ver." +
         VersionText() + "</a> - split-time analysis for orienteering</i>" + kCrLf;
}

std::string SectionTitleRow(const std::string& color, int32_t columns,
                            const std::string& cell_attribute, const std::string& title) {
  return "<tr bgcolor=\"#" + color + "\"><td colspan=\"" + std::to_string(columns) + "\"" +
         cell_attribute + " >" + title + "</td></tr>" + kCrLf;
}

std::string RankColorAttribute(int32_t rank) {
  switch (rank) {
    case 1:
      return " bgcolor=\"#ffccdc\"";
    case 2:
      return " bgcolor=\"#ffdde8\"";
    case 3:
      return " bgcolor=\"#ffeef4\"";
    default:
      return "";
  }
}

std::string NoDataMessage(const clsAnalyzer& analyzer) {
  if (analyzer.Count() > 0) return "";
  const clsQuorvex2* root = CurrentRoot();
  const bool nothing_loaded = root == nullptr || root->ClassCount() == 0;
  return std::string("<br>") +
         (nothing_loaded ? Tr("ファイルが読み込まれてません。") : Tr("解析できません。")) + kCrLf;
}

std::string DataSetTitle(const clsAnalyzer& analyzer) {
  const clsQuorvex2* root = CurrentRoot();
  const std::string event = root ? root->EventData()->ToString() : "";
  return "&nbsp;<font color=\"#ffffff\" size=\"+1\"><b>" + EscapeHtml(analyzer.DataSetName()) +
         "</b></font><font color=\"#ffffff\"> - " + EscapeHtml(event) + " " +
         EscapeHtml(analyzer.ClassInfo()) + "</font>";
}

}  // namespace quorvex2::detail
