// The split-analysis page: one label column and two columns (value, rank) per runner.
#include <string>
#include <vector>

#include "core/detail/catalogue.h"
#include "core/detail/localized_text.h"
#include "html/detail/page_parts.h"
#include "quorvex2/analysis/analyzer.h"
#include "quorvex2/core/time_text.h"
#include "quorvex2/html/html_control.h"

namespace quorvex2 {

namespace {

using detail::EscapeHtml;
using detail::kCrLf;
using detail::Tr;
using Runner = clsAnalyzedRunnerData;

constexpr int kNameLineLength = 10;
constexpr int kNameLines = 3;

// Long names break after every ten characters, three lines at most (the rest of a name is never
// looked at, however long it is).
std::string BrokenName(const std::string& name) {
  std::string out;
  size_t i = 0;
  for (int32_t count = 0; i < name.size() && count < kNameLineLength * kNameLines; ++count) {
    const auto c = static_cast<unsigned char>(name[i]);
    const size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (count > 0 && count % kNameLineLength == 0) out += "<br>";
    out += EscapeHtml(name.substr(i, n));
    i += n;
  }
  return out;
}

// The numbered class of the six fastest ("lt1"), the plain class otherwise.
std::string RankedClass(const std::string& base, int32_t rank) {
  return rank >= 1 && rank <= 6 ? base + std::to_string(rank) : base;
}

class AnalysisTable {
 public:
  explicit AnalysisTable(clsAnalyzer& analyzer)
      : a_(analyzer), legs_(analyzer.ControlCount + 1), columns_(1 + 2 * analyzer.Count()) {}

  std::string Write() {
    out_ =
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"1\" bgcolor=\"white\" class=\"lap\">";
    out_ += kCrLf;
    out_ += detail::SectionTitleRow("000080", columns_, " class=\"lap-title\"",
                                    detail::DataSetTitle(a_));
    NameRow();
    ClubRow();
    RecordRows();
    LapTimeSection();
    NameRow();
    SplitTimeSection();
    NameRow();
    ValueSection(Tr("◆ 巡行速度(%)"), "ch", "cl", "cv",
                 [this](Runner& r) { return r.CruiseSpeed().ToString("#0.0", nodata_); });
    ValueSection(Tr("◆ ミス率(%)"), "sh", "sl", "sv",
                 [this](Runner& r) { return r.MissRate().ToString("#0.0", nodata_); });
    NameRow();
    RelativeSection();
    NameRow();
    MissTimeSection();
    ValueSection(Tr("◆ ミスを除いたタイム"), "wh", "wl", "wv", [this](Runner& r) {
      return r.TotalTimeWithoutMiss().ToString("hh:nn:ss", false, nodata_);
    });
    NameRow();
    ClubRow();
    RecordRows();
    return out_ + "</table>" + kCrLf;
  }

 private:
  template <class Cell>
  void Row(const std::string& start, const std::string& label, Cell cell) {
    out_ += start + label;
    for (int32_t i = 1; i <= a_.Count(); ++i) out_ += cell(*a_.Item(i));
    out_ += std::string("</tr>") + kCrLf;
  }

  void NameRow() {
    Row("<tr bgcolor=\"#bbddff\">", "<td class=\"nl\">" + Tr("氏名") + "</td>", [](Runner& r) {
      return "<td colspan=\"2\" class=\"nv\">" + BrokenName(r.RunnerName()) + "</td>";
    });
  }

  void ClubRow() {
    Row("<tr>", "<td class=\"zl\">" + Tr("所属") + "</td>", [](Runner& r) {
      const std::string club = r.ClubName();
      return "<td colspan=\"2\" class=\"zv\">" + (club.empty() ? "&nbsp;" : EscapeHtml(club)) +
             "</td>";
    });
  }

  void RecordRows() {
    Row("<tr align=\"right\" bgcolor=\"#ddeeff\">",
        "<td align=\"left\" class=\"kl\">" + Tr("記録") + "</td>", [](Runner& r) {
          return "<td colspan=\"2\" nowrap class=\"kv\">" + Text(EscapeHtml(r.Result())) + "</td>";
        });
    Row("<tr align=\"right\" bgcolor=\"#ddeeff\">",
        "<td align=\"left\" class=\"jl\">" + Tr("順位") + "</td>", [](Runner& r) {
          return "<td colspan=\"2\"" + detail::RankColorAttribute(std::atoi(r.Rank().c_str())) +
                 " class=\"jv\">" + Text(EscapeHtml(r.Rank())) + "</td>";
        });
  }

  static std::string Text(const std::string& text) { return text.empty() ? "&nbsp;" : text; }

  std::string LegLabel(const std::string& attributes, int32_t k) const {
    return "<td" + attributes + ">" + detail::LegCaption(a_.ControlCount, true, k) + "</td>";
  }

  void LapTimeSection() {
    out_ += detail::SectionTitleRow("FFDD99", columns_, " class=\"lh\"", Tr("◆ ラップタイム"));
    for (int32_t k = 1; k <= legs_; ++k) {
      Row("<tr align=\"right\">", LegLabel(" bgcolor=\"#ffffbb\" class=\"ll\"", k),
          [this, k](Runner& r) { return LapCells(r, k); });
    }
  }

  // A leg time of its own with its rank; a time covering skipped legs once, spanning their
  // rows; an invalid leg with "-" as rank.
  std::string LapCells(Runner& r, int32_t k) const {
    const std::string time = r.LapTime(k)->ToString("hh:nn:ss", false, nodata_);
    if (r.IsValidLapTime(k)) {
      const int32_t rank = r.LapRank(k)->Value();
      return "<td class=\"" + RankedClass("lt", rank) + "\">" + time + "</td><td class=\"" +
             RankedClass("lr", rank) + "\">" + r.LapRank(k)->ToString() + "</td>";
    }
    const int32_t from = r.TotalLapFrom(k), to = r.TotalLapTo(k);
    if (from == 0 || to == 0) {
      return "<td class=\"lt\">" + time + "</td><td class=\"lr\">-</td>";
    }
    if (k != from) return "";
    const std::string span = std::to_string(to - from + 1);
    return "<td rowspan=\"" + span + "\" class=\"lt\">" +
           r.LapTime(to)->ToString("hh:nn:ss", false, nodata_) + "</td><td rowspan=\"" + span +
           "\" class=\"lr\">-</td>";
  }

  void SplitTimeSection() {
    out_ += detail::SectionTitleRow("FFDD99", columns_, " class=\"eh\"", Tr("◆ 積算タイム"));
    for (int32_t k = 1; k <= legs_; ++k) {
      Row("<tr align=\"right\">", LegLabel(" bgcolor=\"#eeffcc\" nowrap class=\"el\"", k),
          [this, k](Runner& r) {
            const int32_t rank = r.SplitRank(k)->Value();
            return "<td class=\"" + RankedClass("et", rank) + "\">" +
                   r.SplitTime(k)->ToString("hh:nn:ss", false, nodata_) + "</td><td class=\"" +
                   RankedClass("er", rank) + "\">" + r.SplitRank(k)->ToString() + "</td>";
          });
    }
  }

  template <class Value>
  void ValueSection(const std::string& title, const char* head_class, const char* label_class,
                    const char* value_class, Value value) {
    out_ += detail::SectionTitleRow("FFDD99", columns_,
                                    std::string(" class=\"") + head_class + "\"", title);
    Row("<tr align=\"right\">",
        std::string("<td bgcolor=\"#ddeeff\" class=\"") + label_class + "\">&nbsp;</td>",
        [&](Runner& r) {
          return std::string("<td colspan=\"2\" class=\"") + value_class + "\">" + value(r) +
                 "</td>";
        });
  }

  void RelativeSection() {
    out_ += detail::SectionTitleRow("FFDD99", columns_, " class=\"rh\"",
                                    Tr("◆ ラップ上位３人に対する相対値(%)"));
    for (int32_t k = 1; k <= legs_; ++k) {
      Row("<tr align=\"right\">", LegLabel(" bgcolor=\"#ffffbb\" nowrap class=\"rl\"", k),
          [this, k](Runner& r) {
            return "<td colspan=\"2\" class=\"rv\">" + r.LapRelative(k)->ToString("#0", nodata_) +
                   "</td>";
          });
    }
    Row("<tr align=\"right\">",
        "<td bgcolor=\"#ffffbb\" nowrap class=\"ral\">" + Tr("合計") + "</td>", [this](Runner& r) {
          return "<td colspan=\"2\" class=\"rav\">" +
                 r.TotalTimeRelative().ToString("#0", nodata_) + "</td>";
        });
  }

  void MissTimeSection() {
    out_ += detail::SectionTitleRow("FFDD99", columns_, " class=\"mh\"", Tr("◆ ミスタイム"));
    for (int32_t k = 1; k <= legs_; ++k) {
      Row("<tr align=\"right\">", LegLabel(" bgcolor=\"#eeffcc\" class=\"ml\"", k),
          [this, k](Runner& r) {
            return "<td colspan=\"2\" class=\"mv\">" +
                   r.MissTime(k)->ToString("hh:nn:ss", false, nodata_) + "</td>";
          });
    }
    Row("<tr align=\"right\">", "<td bgcolor=\"#eeffcc\" class=\"mtl\">" + Tr("合計") + "</td>",
        [this](Runner& r) {
          return "<td colspan=\"2\" class=\"mtv\">" +
                 r.MissTimeTotal().ToString("hh:nn:ss", false, nodata_) + "</td>";
        });
  }

  clsAnalyzer& a_;
  int32_t legs_;
  int32_t columns_;
  std::string out_;
  const std::string nodata_ = detail::NoDataMark();
};

}  // namespace

std::string clsHtmlControl::OutputAnalysis(const std::shared_ptr<clsAnalyzer>& Analyzer,
                                           const std::string& LinkStyleFile,
                                           const std::string& Encoding) const {
  std::string page = std::string("<html>") + kCrLf +
                     detail::HeadBlock(Encoding, true, LinkStyleFile) + "<body>" + kCrLf;
  const std::string no_data = detail::NoDataMessage(*Analyzer);
  page += no_data.empty() ? AnalysisTable(*Analyzer).Write() : no_data;
  return page + detail::Footer() + "</body>" + kCrLf + "</html>" + kCrLf;
}

}  // namespace quorvex2
