// Reading a SPORTident result listing line by line. A class header is the line above its control
// rows; a runner's block is its line, the club line below it and, per further control row, a
// line of cumulative times and one of leg times:
//
//   Circuit  A  (19)                6.600 km  250 m   15 P
//                                             1(35)   2(38) ...  14(74)
//                                            15(99)       A
//       1   170 Pierre DELENNE HSe    69:19    5:52   13:33 ...   63:06
//               N1307 PR                       5:52    7:41 ...    4:04
//                                             68:42   69:19
//                                              5:36    0:37
//
// Where the class has column numbers instead of controls, each runner's line lists its own
// control items and every row of items is followed by a line of cumulative and one of leg times
// (the first under the club). Whatever else a listing holds (titles, extra punches after the
// finish, page furniture) is passed over.
#include <algorithm>
#include <utility>

#include "files/si_listing.h"
#include "files/si_listing_class_header.h"
#include "files/si_listing_control_row.h"
#include "files/si_listing_runner.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail::sportident {
namespace {

// Whether a time comes before one read before it.
bool Drops(const std::vector<std::optional<Date>>& times) {
  Date latest = 0;
  for (const auto& t : times) {
    if (t && *t < latest) return true;
    if (t) latest = *t;
  }
  return false;
}

// A listing may print only leg times, on the runner's line and none below. Read as cumulative
// times they drop from control to control and end in a finish time that is not the result: a
// class whose runners all print so (those with a result and a finish time; at least one) reads
// its runners' times as legs. Where the cumulative times come with legs below, or the finish
// time is the result, nothing changes.
void ReadLegsOfRunnerLines(ListingClass& listed) {
  const size_t columns = listed.codes.size() + 1;
  bool any = false;
  for (const ListingRunner& runner : listed.runners) {
    if (runner.legs_below) return;
    const std::optional<Date> result = TokenTime(runner.result);
    if (!result || runner.times.size() != columns || !runner.times.back()) continue;
    if (!Drops(runner.times) || *runner.times.back() == *result) return;
    any = true;
  }
  if (!any) return;
  for (ListingRunner& runner : listed.runners) runner.leg_times = true;
}

class ListingParser {
 public:
  ListingParser(const std::vector<std::string>& lines, ColumnWidths widths,
                const LineProgress& progress)
      : lines_(lines),
        progress_(progress),
        widths_(widths),
        tokens_(lines.size()),
        tokenized_(lines.size()) {}

  Listing Read() {
    for (size_t i = 0; i < lines_.size();) {
      const size_t next = Step(i);
      for (; i < next && i < lines_.size(); ++i) {
        std::vector<Token>().swap(tokens_[i]);
        tokenized_[i] = false;
        if (progress_) progress_(i, lines_.size());
      }
    }
    for (ListingClass& listed : listing_.classes) {
      if (!listed.codes_per_runner) ReadLegsOfRunnerLines(listed);
    }
    return std::move(listing_);
  }

 private:
  // The words of a line, split when first asked for; lines behind the reader are let go.
  const std::vector<Token>& Tokens(size_t i) const {
    if (!tokenized_[i]) {
      tokens_[i] = Tokenize(lines_[i], widths_);
      tokenized_[i] = true;
    }
    return tokens_[i];
  }

  bool Blank(size_t i) const { return i >= lines_.size() || Tokens(i).empty(); }

  size_t NextNonBlank(size_t i) const {
    while (i < lines_.size() && Blank(i)) ++i;
    return i;
  }

  size_t FirstRowColumns() const { return rows_.empty() ? 0 : rows_.front().Columns().size(); }

  bool IsControlRow(size_t i) const {
    return i < lines_.size() && ControlsStart(Tokens(i)).has_value();
  }

  // Returns the line to go on with.
  size_t Step(size_t i) {
    if (Blank(i) || IsControlRow(i)) return i + 1;
    if (ControlsFollow(i)) return OpenClass(i);
    if (!listing_.classes.empty()) {
      // Captions again: repeated on a new page, or a table's own over its columns.
      if (auto captions = ReadCaptions(Tokens(i))) {
        listing_.captions = std::move(captions);
        return i + 1;
      }
      if (IsTitle(i)) return i + 1;  // repeated on every page
      if (auto head = ReadRunnerHead(lines_[i], Tokens(i), listing_.captions, FirstRowColumns())) {
        return ReadRunner(i, *head);
      }
    } else if (!listing_.captions && (listing_.captions = ReadCaptions(Tokens(i)))) {
      return i + 1;
    } else if (!listing_.captions) {
      listing_.title.push_back(Trim(lines_[i]));
    }
    return i + 1;
  }

  // The captions of line i, when it is a line of captions (no control row).
  std::optional<Captions> CaptionsLine(size_t i) const {
    if (i >= lines_.size() || IsControlRow(i)) return std::nullopt;
    return ReadCaptions(Tokens(i));
  }

  // The controls of a class follow its header line, or the captions below it (a table may print
  // its head between the class and its controls).
  bool ControlsFollow(size_t i) const {
    const size_t next = NextNonBlank(i + 1);
    return IsControlRow(next) || (CaptionsLine(next) && IsControlRow(NextNonBlank(next + 1)));
  }

  bool IsTitle(size_t i) const {
    const auto& title = listing_.title;
    return std::find(title.begin(), title.end(), Trim(lines_[i])) != title.end();
  }

  size_t OpenClass(size_t i) {
    const ClassHeader header = ParseClassHeader(lines_[i], i > 0 ? lines_[i - 1] : "");
    ListingClass& added = listing_.classes.emplace_back();
    added.name = header.name;
    added.length = header.length;
    added.climb = header.climb;
    added.announced = header.runners;
    rows_.clear();
    size_t j = NextNonBlank(i + 1);
    if (auto captions = CaptionsLine(j)) {
      listing_.captions = std::move(captions);
      j = NextNonBlank(j + 1);
    }
    for (; j < lines_.size(); ++j) {
      const std::optional<size_t> from = ControlsStart(Tokens(j));
      if (!from) break;
      // A table's head gives the columns of its own rows.
      if (*from > 0) listing_.captions = ReadCaptions(Tokens(j));
      std::optional<ControlRow> row = ReadControlRow(Tokens(j), *from);
      added.codes_per_runner = added.codes_per_runner || row->numbered;
      for (const ControlItem& item : row->items) added.codes.push_back(item.code);
      rows_.push_back(std::move(*row));
    }
    return j;
  }

  // A line that starts a runner of its own: with a number before the name, or with its result
  // where the captions put it.
  bool StartsRunner(size_t i) const {
    if (i >= lines_.size()) return false;
    const auto head = ReadRunnerHead(lines_[i], Tokens(i), listing_.captions, FirstRowColumns());
    const auto& captions = listing_.captions;
    return head && (head->numbered || (captions && captions->time_end > 0));
  }

  // A line below a runner's that continues its block: times only, or nothing.
  bool IsTimesLine(size_t i) const {
    if (i >= lines_.size() || StartsRunner(i)) return false;
    if (Blank(i)) return true;
    const std::string& first = Tokens(i).front().text;
    return IsTimeField(first);
  }

  bool IsClubLine(size_t i) const {
    return i < lines_.size() && !Blank(i) && !StartsRunner(i) && !IsControlRow(i) &&
           !IsControlRow(NextNonBlank(i + 1));
  }

  // The text before the first time of the line, without "_" (printed for blanks).
  std::string ClubOf(size_t i) const {
    const std::vector<Token>& tokens = Tokens(i);
    size_t end = lines_[i].size();
    for (const Token& token : tokens) {
      if (IsTimeField(token.text)) {
        end = token.offset;
        break;
      }
    }
    std::string club = Trim(lines_[i].substr(0, end));
    std::erase(club, '_');
    return club;
  }

  size_t ReadRunner(size_t i, const RunnerHead& head) {
    ListingClass& current = listing_.classes.back();
    ListingRunner& runner = current.runners.emplace_back();
    runner.place = head.place;
    runner.id = head.id;
    runner.name = head.name;
    runner.club = head.club;
    runner.result = head.result_missing ? "" : PlainTime(Tokens(i)[head.result].text);
    runner.line = i;
    const size_t first = head.result_missing ? head.result : head.result + 1;
    std::vector<ControlItem> items;
    const bool coded = current.codes_per_runner ||
                       (first < Tokens(i).size() && ReadControlItems(Tokens(i)[first], items));
    if (coded) {
      current.codes_per_runner = true;
      return ReadCodedRunner(i, first, runner);
    }
    return ReadTimedRunner(i, first, runner);
  }

  // Cumulative times on the runner's line and on every second line below the club line; leg
  // times on the club line and the lines between. A listing without cumulative times may leave
  // the lines between blank.
  size_t ReadTimedRunner(size_t i, size_t first_time, ListingRunner& runner) {
    std::vector<std::pair<size_t, size_t>> cumulative{{i, first_time}};
    std::vector<std::pair<size_t, size_t>> legs;
    size_t next = i + 1;
    if (IsClubLine(next)) {
      if (runner.club.empty()) runner.club = ClubOf(next);
      legs.emplace_back(next++, 0);
    }
    for (size_t r = 1; r < rows_.size() && RowOfTimesFollows(next); ++r) {
      cumulative.emplace_back(next++, 0);
      if (IsTimesLine(next)) legs.emplace_back(next++, 0);
    }
    runner.times = TimesOf(cumulative);
    std::vector<std::optional<Date>> leg_times = TimesOf(legs);
    runner.legs_below = std::any_of(leg_times.begin(), leg_times.end(),
                                    [](const auto& t) { return t.has_value(); });
    if (!AnyInFirstRow(runner.times)) {
      runner.times = std::move(leg_times);
      runner.leg_times = true;
    }
    runner.cut_short = EndsCut(i, first_time, runner);
    return next;
  }

  // The listing ends on the line of a runner timed as finished, before the times of its first
  // control row are all printed (the rest of the file is lost).
  bool EndsCut(size_t i, size_t first_time, const ListingRunner& runner) const {
    if (NextNonBlank(i + 1) < lines_.size() || !TokenTime(runner.result)) return false;
    return TimesFrom(Tokens(i), first_time) < FirstRowColumns();
  }

  // Whether the runner's own line has a time: a listing with cumulative times prints them there.
  bool AnyInFirstRow(const std::vector<std::optional<Date>>& times) const {
    const size_t first_row = FirstRowColumns();
    const auto end = times.begin() + static_cast<std::ptrdiff_t>(std::min(times.size(), first_row));
    return std::any_of(times.begin(), end, [](const auto& t) { return t.has_value(); });
  }

  // A line of cumulative times, or a blank one before a line of leg times.
  bool RowOfTimesFollows(size_t i) const {
    if (!Blank(i)) return IsTimesLine(i);
    return !Blank(i + 1) && IsTimesLine(i + 1);
  }

  // The times of the lines, row by row; the rows the lines do not reach stay empty.
  std::vector<std::optional<Date>> TimesOf(const std::vector<std::pair<size_t, size_t>>& lines) {
    std::vector<std::optional<Date>> times;
    for (size_t r = 0; r < rows_.size(); ++r) {
      const std::vector<int32_t> columns = rows_[r].Columns();
      if (r < lines.size()) {
        const auto row = TimesUnder(Tokens(lines[r].first), lines[r].second, columns);
        times.insert(times.end(), row.begin(), row.end());
      } else {
        times.resize(times.size() + columns.size());
      }
    }
    return times;
  }

  // Rows of control items (the first on the runner's line), each followed by a line of
  // cumulative times (the first after the club) and a line of leg times, until the finish.
  size_t ReadCodedRunner(size_t i, size_t first_item, ListingRunner& runner) {
    size_t items_line = i;
    size_t from = first_item;
    size_t next = i + 1;
    while (items_line < lines_.size()) {
      const std::optional<ControlRow> row = ReadControlRow(Tokens(items_line), from);
      if (!row || row->numbered) break;
      for (const ControlItem& item : row->items) runner.codes.push_back(item.code);
      const size_t times_line = items_line + 1;
      if (items_line == i && IsClubLine(times_line)) runner.club = ClubOf(times_line);
      const auto times = times_line < lines_.size()
                             ? TimesUnder(Tokens(times_line), 0, row->Columns())
                             : std::vector<std::optional<Date>>(row->Columns().size());
      runner.times.insert(runner.times.end(), times.begin(), times.end());
      next = std::min(items_line + 3, lines_.size());
      if (row->finish_column > 0) break;
      items_line = NextNonBlank(next);
      from = 0;
      if (!IsControlRow(items_line)) break;
    }
    return next;
  }

  const std::vector<std::string>& lines_;
  const LineProgress& progress_;
  const ColumnWidths widths_;
  mutable std::vector<std::vector<Token>> tokens_;
  mutable std::vector<bool> tokenized_;
  Listing listing_;
  std::vector<ControlRow> rows_;  // the control rows of the class read last
};

}  // namespace

Listing ReadListing(const std::vector<std::string>& lines, ColumnWidths widths,
                    const LineProgress& progress) {
  return ListingParser(lines, widths, progress).Read();
}

}  // namespace quorvex2::detail::sportident
