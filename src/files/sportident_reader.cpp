// Reading SPORTident result listings as text or as web pages into the event: one class per
// class block, courses shared by classes with the same controls, one runner record per runner
// with its leg times (from the cumulative times as printed) and result.
#include "files/sportident_reader.h"

#include <algorithm>
#include <array>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/detail/component_state.h"
#include "core/detail/fill_in.h"
#include "files/course_by_controls.h"
#include "files/csv_table_lines.h"
#include "files/detail/file_error.h"
#include "files/detail/load_error.h"
#include "files/detail/omission_report.h"
#include "files/detail/progress.h"
#include "files/si_listing.h"
#include "files/si_listing_html.h"
#include "files/si_listing_tokens.h"
#include "files/sportident_header.h"
#include "quorvex2/core/format.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/core/time_text.h"

namespace quorvex2::detail {
namespace {

using namespace sportident;

constexpr const char* kLocation = "clsFileControl.LoadSportIdent";
constexpr const char* kMarker = "SPORTident results";
constexpr size_t kHtmlSniffLines = 40;
constexpr size_t kMaxLegs = clsLapData::kMaxLegs;

bool Fail(const ReadRequest& request, const std::string& description) {
  return FailRead(request, kLocation, description);
}

bool Contains(const std::string& line, const std::string& text) {
  return ToUpper(line).find(ToUpper(text)) != std::string::npos;
}

std::string JoinLines(const std::vector<std::string>& lines, size_t count) {
  std::string text;
  for (size_t i = 0; i < std::min(count, lines.size()); ++i) text += lines[i] + "\n";
  return text;
}

// The classic layout: a text whose third line holds the marker, read with its head lines in
// place and held to its failure path.
struct Source {
  std::vector<std::string> lines;    // tabs expanded as `widths` counts columns
  std::vector<std::string> printed;  // as printed
  bool html = false;
  bool classic = false;
  ColumnWidths widths = ColumnWidths::kShiftJisBytes;

  void CountColumns(ColumnWidths counted) {
    widths = counted;
    lines = printed;
    for (std::string& line : lines) line = ExpandTabs(line, widths);
  }
};

Source ListingSource(std::vector<std::string> lines) {
  Source source;
  source.html = LooksLikeHtml(JoinLines(lines, kHtmlSniffLines));
  source.classic = !source.html && lines.size() >= 3 && Contains(lines[2], kMarker);
  source.printed =
      ListingLines(source.html ? HtmlTextLines(JoinLines(lines, lines.size())) : std::move(lines));
  source.CountColumns(WidthsOf(source.printed));
  return source;
}

// What shows a listing read with its columns counted wrong: each runner whose times stop part
// way, and each class of another number of runners than its header counts.
size_t Flaws(const Listing& listing) {
  size_t flaws = 0;
  for (const ListingClass& listed : listing.classes) {
    flaws += listed.announced > 0 && listed.runners.size() != size_t(listed.announced);
    for (const ListingRunner& runner : listed.runners) flaws += runner.cut_short;
  }
  return flaws;
}

// A text laid out as the classic listing (captions in place on the sixth line) whose third line
// lacks the marker is refused, whatever else it holds.
bool ClassicWithoutMarker(const Source& source) {
  if (source.html || source.classic || source.lines.size() < 6) return false;
  const std::string captions = ToUpper(source.lines[5]);
  constexpr std::array<const char*, 4> kCaptions = {"PL", "STNO", "NAME", "TIME"};
  return std::all_of(kCaptions.begin(), kCaptions.end(), [&](const char* caption) {
    return captions.find(caption) != std::string::npos;
  });
}

// A web page may hold the bare listing; a text without the title lines above its captions and
// classes is a part cut out of a listing.
std::optional<std::string> Refusal(const Listing& listing, bool html) {
  if (listing.classes.empty()) {
    if (listing.captions && listing.captions->time_end == 0) {
      return Tr("SPORTident の成績リストではありません: 結果タイムのないスタートリストなどです");
    }
    return Tr(
        "SPORTident の成績リストではありません: コントロールの行を持つクラスの見出しがありません");
  }
  const bool runners = std::any_of(listing.classes.begin(), listing.classes.end(),
                                   [](const ListingClass& c) { return !c.runners.empty(); });
  if (!runners) return Tr("SPORTident の成績リストが空です: クラスの下に選手がいません");
  if (!html && listing.title.empty()) {
    return Tr(
        "SPORTident の成績リストではありません: 列見出しとクラスの上にタイトル行がありません");
  }
  return std::nullopt;
}

// A time result; "mp" (and its translations) is "DNF" without a finish leg, else "P" and the
// number of missing punches ("MP" when every control has a time, a wrong control punched: "P0"
// would sort before every time, as a status of order 0, and take the first rank in the data
// set); "dnf" (and its translations) is "DNF"; a runner out of competition "NC", also one with a
// time whose place is a word (a mark of his language such as "AK", "MS" or "ej"); anything else
// "DISQ".
std::string ResultText(const ListingRunner& runner, const clsLapData& lap) {
  if (IsOutOfCompetitionMark(runner.place)) return "NC";
  const std::string time = NormalizeTimeText(runner.result, true, "hh:nn:ss");
  if (IsValidTime(time)) return HasLetter(runner.place) ? "NC" : time;
  const ResultStatus status = StatusOf(runner.result);
  if (status == ResultStatus::kDidNotFinish) return "DNF";
  if (status != ResultStatus::kMissingPunch) return "DISQ";
  const int32_t legs = lap.LegCount();
  if (legs == 0 || lap.LapValue(legs) == kTimeDisq) return "DNF";
  int32_t missing = 0;
  for (int32_t k = 1; k < legs; ++k) missing += lap.LapValue(k) == kTimeDisq;
  return missing > 0 ? "P" + std::to_string(missing) : "MP";
}

// A listing of leg times that prints no finish leg under a time result: the finish leg is what
// the result leaves after the other legs, when every one of them is printed.
void FinishLegFromResult(std::vector<Date>& legs, std::optional<Date> result) {
  if (!result || legs.empty() || legs.back() != kTimeDisq) return;
  Date sum = 0;
  for (size_t k = 0; k + 1 < legs.size(); ++k) {
    if (legs[k] <= 0) return;
    sum += legs[k];
  }
  if (*result > sum) legs.back() = RoundToSecond(*result - sum);
}

// The leg times: differences of the cumulative times, each from the last punch before it, in
// whole seconds as a leg's own time text reads (so equal legs are equal). A time before the
// punch before it counts as missing (as the listings leave such legs blank); one in the same
// second is a leg of 0, no data. The result stands for the finish where the listing prints no
// finish time.
std::vector<Date> LegTimes(const ListingRunner& runner, size_t controls) {
  std::vector<std::optional<Date>> times = runner.times;
  if (times.size() == controls) {
    times.push_back(runner.leg_times && controls > 0 ? std::nullopt : TokenTime(runner.result));
  } else if (times.size() == controls + 1 && !times.back() && !runner.leg_times) {
    times.back() = TokenTime(runner.result);
  }
  std::vector<Date> legs;
  if (runner.leg_times) {
    for (const auto& t : times) legs.push_back(t ? *t : kTimeDisq);
    FinishLegFromResult(legs, TokenTime(runner.result));
    return legs;
  }
  Date previous = 0;
  for (const auto& t : times) {
    const bool valid = t && *t > 0 && *t >= previous;
    legs.push_back(valid ? RoundToSecond(*t - previous) : kTimeDisq);
    if (valid) previous = *t;
  }
  return legs;
}

// The controls of a class whose runners carry their own: those most runners with a time ran.
std::vector<int32_t> CommonCodes(const ListingClass& listed) {
  std::map<std::vector<int32_t>, int32_t> counts;
  for (const ListingRunner& runner : listed.runners) {
    counts[runner.codes] += TokenTime(runner.result) ? 2 : 1;
  }
  const auto most =
      std::max_element(counts.begin(), counts.end(),
                       [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == counts.end() ? listed.codes : most->first;
}

// A class continued on a new page may carry a mark after its name ("H21E (Forts.)", "(cont.)"):
// a block named as an earlier one with a bracketed word after it, of the same runner count and
// controls, is that class.
void JoinContinuedClasses(Listing& listing) {
  for (size_t i = 1; i < listing.classes.size(); ++i) {
    ListingClass& block = listing.classes[i];
    const size_t open = block.name.rfind('(');
    if (open == std::string::npos || block.name.find(')', open) != block.name.size() - 1) continue;
    const std::string name = Trim(block.name.substr(0, open));
    if (name.empty()) continue;
    const auto continued = [&](const ListingClass& earlier) {
      return earlier.name == name && earlier.announced == block.announced &&
             earlier.codes == block.codes;
    };
    if (std::any_of(listing.classes.begin(),
                    listing.classes.begin() + static_cast<std::ptrdiff_t>(i), continued)) {
      block.name = name;
    }
  }
}

// "H21 (2)", or the next number that no class of the listing has.
std::string NumberedName(const Listing& listing, const std::string& name) {
  for (int copy = 2;; ++copy) {
    std::string numbered = name + " (" + std::to_string(copy) + ")";
    if (std::none_of(listing.classes.begin(), listing.classes.end(),
                     [&](const ListingClass& c) { return c.name == numbered; })) {
      return numbered;
    }
  }
}

// A class printed again with other controls (two listings in one file, one for each day, with
// the same class names) is a class of its own: "H21 (2)". Returns what was renamed.
std::vector<std::string> SeparateRepeatedClasses(Listing& listing) {
  std::vector<std::string> renamed;
  for (size_t i = 1; i < listing.classes.size(); ++i) {
    const ListingClass& block = listing.classes[i];
    const auto other_controls = [&](const ListingClass& earlier) {
      return earlier.name == block.name && !earlier.codes_per_runner && !block.codes_per_runner &&
             earlier.codes != block.codes;
    };
    const auto begin = listing.classes.begin();
    if (std::none_of(begin, begin + static_cast<std::ptrdiff_t>(i), other_controls)) continue;
    const std::string original = block.name, name = NumberedName(listing, original);
    const std::vector<int32_t> codes = block.codes;
    for (size_t j = i; j < listing.classes.size(); ++j) {
      ListingClass& later = listing.classes[j];
      if (later.name == original && later.codes == codes) later.name = name;
    }
    renamed.push_back(
        FillIn(Tr("クラス {class} が別のコントロールでもう一度あります: {name} として読みました"),
               {{"class", original}, {"name", name}}));
  }
  return renamed;
}

class ListingReader {
 public:
  ListingReader(clsQuorvex2& root, const ReadRequest& request, Source source)
      : root_(root), request_(request), source_(std::move(source)) {}

  bool Read() {
    request_.progress->Start();
    if (ClassicWithoutMarker(source_))
      return Fail(
          request_,
          FillIn(Tr("SPORTident の成績リストではありません: 3 行目に \"{marker}\" がありません"),
                 {{"marker", kMarker}}));
    Listing listing = ReadListing(source_.lines, source_.widths,
                                  [this](size_t line, size_t total) { ReportLine(line, total); });
    JoinContinuedClasses(listing);
    if (Flaws(listing) > 0) ReadAgainLinedUpOtherwise(listing);
    remarks_ = SeparateRepeatedClasses(listing);
    if (auto refusal = Refusal(listing, source_.html)) return Fail(request_, *refusal);
    ReadTitle(listing);
    for (const ListingClass& listed : listing.classes) {
      if (!AddClass(listed)) return false;
    }
    NoteMissingRunners(listing);
    ReportOmissions(kLocation, omissions_, remarks_);
    if (root_.EventData()->EventName.empty()) root_.EventData()->EventName = kUnnamed;
    root_.MakeSegmentSet();
    request_.progress->Finish();
    return true;
  }

 private:
  // The classic listing's progress counts its lines from the seventh (the first below the
  // captions) to the second-to-last; a page's counts every line.
  void ReportLine(size_t line, size_t total) {
    if (!source_.classic) {
      request_.progress->Step(static_cast<double>(line + 1), static_cast<double>(total));
      return;
    }
    constexpr size_t kFirstLine = 6;
    const size_t last = total - 1;
    if (line < kFirstLine || line >= last) return;
    request_.progress->Step(static_cast<double>(line + 1 - kFirstLine),
                            static_cast<double>(last - kFirstLine));
  }

  // The classic listing's event stands on its second line and its program on its fourth; other
  // listings name them in their title lines.
  void ReadTitle(const Listing& listing) {
    const auto& lines = source_.lines;
    const std::string event_line =
        source_.classic ? lines[1] : (listing.title.empty() ? "" : listing.title.front());
    const EventLine event = SplitEventLine(event_line);
    root_.EventData()->EventName = event.name;
    root_.MetaData()->CreateDate = ListingDate(event.date).value_or(0);
    root_.MetaData()->CreateApplication = source_.classic
                                              ? ApplicationName(lines.size() > 3 ? lines[3] : "")
                                              : CreatorName(listing.title);
  }

  // A class the model cannot hold (a runner with more than 30 legs) fails the classic listing,
  // naming the runner; other listings leave the class out and say so.
  bool AddClass(const ListingClass& listed) {
    const std::vector<int32_t> codes = listed.codes_per_runner ? CommonCodes(listed) : listed.codes;
    std::vector<std::vector<Date>> legs;
    std::string too_long;
    for (const ListingRunner& runner : listed.runners) {
      legs.push_back(
          LegTimes(runner, listed.codes_per_runner ? runner.codes.size() : codes.size()));
      if (legs.back().size() > kMaxLegs && too_long.empty()) {
        too_long = FillIn(Tr("クラス {class} の選手 {runner} の区間が {legs} あります"),
                          {{"class", listed.name},
                           {"runner", runner.name},
                           {"legs", std::to_string(legs.back().size())}});
      }
    }
    if (too_long.empty() && codes.size() + 1 > kMaxLegs) {
      too_long = FillIn(Tr("クラス {class} のコントロールが {controls} 個あります"),
                        {{"class", listed.name}, {"controls", std::to_string(codes.size())}});
    }
    if (!too_long.empty()) return LeaveOut(listed, too_long);
    if (listed.codes_per_runner &&
        std::any_of(listed.runners.begin(), listed.runners.end(),
                    [&](const ListingRunner& r) { return r.codes != codes; })) {
      remarks_.push_back(MixedCoursesText(listed.name));
    }
    const std::shared_ptr<clsClassData> class_data = root_.AddClass(listed.name);
    class_data->Length = listed.length;
    class_data->Climb = listed.climb;
    class_data->ControlCount = static_cast<int32_t>(codes.size());
    class_data->CourseNum = CourseNumberFor(root_, codes);
    for (size_t i = 0; i < listed.runners.size(); ++i)
      AddRunner(*class_data, listed.runners[i], legs[i]);
    return true;
  }

  // Fewer runners than a class header counts, over all the blocks of the class (a page break
  // repeats the header), or a listing that ends within a runner's times: the file was most likely
  // cut short.
  void NoteMissingRunners(const Listing& listing) {
    std::vector<std::string> names;
    std::map<std::string, std::pair<int32_t, size_t>> counts;  // announced, read
    for (const ListingClass& listed : listing.classes) {
      auto [at, added] = counts.try_emplace(listed.name, 0, 0);
      if (added) names.push_back(listed.name);
      at->second.first = std::max(at->second.first, listed.announced);
      at->second.second += listed.runners.size();
    }
    for (const std::string& name : names) {
      const auto [announced, read] = counts[name];
      if (static_cast<size_t>(announced) <= read) continue;
      omissions_.push_back(
          FillIn(Tr("クラス {class} には {announced} 人とありますが、読めたのは {read} 人です "
                    "(ファイルが途中で切れている可能性があります)"),
                 {{"class", name},
                  {"announced", std::to_string(announced)},
                  {"read", std::to_string(read)}}));
    }
    for (const ListingClass& listed : listing.classes) {
      for (const ListingRunner& runner : listed.runners) {
        if (!runner.cut_short) continue;
        omissions_.push_back(
            FillIn(Tr("クラス {class} の選手 {runner} のタイムが途中までしかありません "
                      "(ファイルが途中で切れている可能性があります)"),
                   {{"class", listed.name}, {"runner", runner.name}}));
      }
    }
  }

  // An East Asian listing may be lined up by display width or one column per character: the
  // reading with the fewest flaws is taken, the first of them where they tie.
  void ReadAgainLinedUpOtherwise(Listing& listing) {
    if (source_.widths != ColumnWidths::kShiftJisBytes) return;
    size_t fewest = Flaws(listing);
    for (const ColumnWidths other : {ColumnWidths::kDisplayWidth, ColumnWidths::kOnePerCharacter}) {
      Source again = source_;
      again.CountColumns(other);
      Listing reading = ReadListing(again.lines, again.widths);
      JoinContinuedClasses(reading);
      const size_t flaws = Flaws(reading);
      if (flaws >= fewest) continue;
      fewest = flaws;
      listing = std::move(reading);
      source_ = std::move(again);
      if (fewest == 0) return;
    }
  }

  // A runner holds at most 30 legs (29 controls and the finish).
  bool LeaveOut(const ListingClass& listed, const std::string& what) {
    const std::string most = std::to_string(kMaxLegs);
    if (source_.classic) {
      return Fail(request_, FillIn(Tr("{what} (選手が持てる区間は {most} までです)"),
                                   {{"what", what}, {"most", most}}));
    }
    omissions_.push_back(FillIn(
        Tr("クラス {class} は読み込みませんでした: {what} (選手が持てる区間は {most} までです)"),
        {{"class", listed.name}, {"what", what}, {"most", most}}));
    return true;
  }

  void AddRunner(clsClassData& class_data, const ListingRunner& runner,
                 const std::vector<Date>& legs) {
    auto lap = std::make_shared<clsLapData>();
    lap->ID = runner.id;
    lap->Rank = runner.place;
    lap->RunnerName = runner.name;
    lap->ClubName = runner.club;
    for (size_t k = 0; k < legs.size(); ++k) lap->Lap(static_cast<int32_t>(k + 1))->Value(legs[k]);
    lap->Result(ResultText(runner, *lap));
    class_data.AddLapObject(lap, request_.load_mode);
  }

  clsQuorvex2& root_;
  const ReadRequest& request_;
  Source source_;
  std::vector<std::string> omissions_;
  std::vector<std::string> remarks_;  // what was read in a way of its own
};

}  // namespace

bool LoadSportIdent(const ReadRequest& request) {
  clsQuorvex2* root = CurrentRoot();
  try {
    std::optional<std::vector<std::string>> lines = TableLines(request);
    if (!lines) return Fail(request, FileReadErrorDescription(request.file_name));
    if (root == nullptr) return Fail(request, "No root object");
    return ListingReader(*root, request, ListingSource(std::move(*lines))).Read();
  } catch (const std::exception& error) {
    return Fail(request, error.what());
  }
}

}  // namespace quorvex2::detail
