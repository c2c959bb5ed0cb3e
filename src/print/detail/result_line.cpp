#include "print/detail/result_line.h"

#include "print/detail/print_fonts.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

namespace {

// The first three places print larger and bold.
bool IsPrizeRank(const std::string& Rank) {
  if (!IsNumeric(Rank)) return false;
  const double rank = LeadingNumber(Rank);
  return rank >= 1 && rank <= 3;
}

// "(" Text ")", built by appending (GCC 12 warns falsely on chained concatenation).
std::string InParentheses(const std::string& Text) {
  std::string text = "(";
  text += Text;
  text += ')';
  return text;
}

ResultCell Gap(float Width) {
  return {Width, PRINTBOOK_ALIGN_LEFT, "", StdFont{}, false};
}

}  // namespace

float ResultPageWidth(const ResultListShape& Shape) {
  float width = Shape.print_age ? 163 : 158;
  if (!Shape.print_id) width -= 17;
  return width;
}

std::string ResultRankText(const clsResultsHolder& Holder, int32_t Index) {
  if (!Holder.DataSetIsMix && Holder.RankIsAvalilable()) return Holder.Item(Index)->Rank;
  return Holder.RankInDataSet(Index);
}

std::vector<ResultCell> ResultLineCells(const clsResultsHolder& Holder, int32_t Index,
                                        const ResultListShape& Shape) {
  const clsLapData& lap = *Holder.Item(Index);
  const std::string rank = ResultRankText(Holder, Index);
  const bool prize = IsPrizeRank(rank);
  const StdFont standard = PrintFont("RESULT_STANDARD");
  const StdFont seed = PrintFont("RESULT_SEED");
  const StdFont name_font = prize ? PrintFont("RESULT_PRIZE_S") : standard;

  std::vector<ResultCell> cells;
  cells.push_back(
      {15, PRINTBOOK_ALIGN_RIGHT, rank, prize ? PrintFont("RESULT_PRIZE_L") : standard, false});
  if (Shape.mix) {
    cells.push_back({20, PRINTBOOK_ALIGN_CENTER, InParentheses(lap.ClassName()), seed, true});
  } else {
    cells.push_back({4, PRINTBOOK_ALIGN_CENTER, lap.RankFix, PrintFont("RESULT_RANKFIXED"), false});
  }
  if (Shape.print_id) {
    cells.push_back(
        {17, PRINTBOOK_ALIGN_CENTER, InParentheses(std::to_string(lap.ID)), seed, false});
  }
  if (!Shape.mix) cells.push_back({6, PRINTBOOK_ALIGN_CENTER, lap.Seed, seed, true});
  cells.push_back(
      {Shape.mix ? 30.0f : 35.0f, PRINTBOOK_ALIGN_LEFT, lap.RunnerName, name_font, false});
  cells.push_back({22, PRINTBOOK_ALIGN_RIGHT, lap.Result(), name_font, false});
  cells.push_back(Gap(3));
  if (Shape.print_age) cells.push_back({5, PRINTBOOK_ALIGN_CENTER, lap.Age, seed, false});
  cells.push_back(Gap(3));
  cells.push_back({Shape.mix ? 48.0f : 53.0f, PRINTBOOK_ALIGN_LEFT, lap.ClubName, standard, true});
  return cells;
}

}  // namespace quorvex2::detail
