#pragma once
// The figures of one analysed data set as the web viewer's pages embed them (JSON).
//
// Times are whole seconds, rounded as every output rounds them (TimeToSeconds); a time array
// holds null for no data, "s" for a skipped control and "d" for a disqualified leg. Percentages
// are written as the classic pages print them (one decimal; the leg difficulty and length as
// their pages do). Arrays run over legs 1 .. ControlCount + 1. Member names are short because a
// class of 1,700 runners must stay a light page:
//   "set":    kind, name, info, length, climb, controls, codes (start 0 .. finish 9999, or null),
//             classes, mix, xyOmitted
//   "legs":   ref (reference seconds), len (share of the course, %), dif (difficulty, %),
//             top (indexes into "runners" of the up to six fastest)
//   "refTotal"
//   "runners" in result order: i serial, n name, p [family, given] (only for a name whose parts
//             the file gave apart), c club, g class (mixed sets), r result, k rank,
//             t result seconds (null for a status), s start (seconds of the day, null when none),
//             cs / c1 / c2 cruise speed overall / first / second part (%), mt time lost, mr miss
//             rate (%), wm time without losses, tr time against the reference (%), x / y the X/Y
//             map, lap / lr leg times and ranks, sp / sr cumulative times and ranks, mi time lost
//             per leg (null where not computed), ms modified cumulative times (only for runners
//             whose legs were shared out over skipped controls); then the runners without legs
//             the analysis leaves out, with their result and no figures (null, ranks 0)
#include "web/detail/json_text.h"
#include "web/detail/web_entries.h"

namespace quorvex2 {
class clsAnalyzer;
}

namespace quorvex2::detail {

// Appends the members "set", "legs", "refTotal" and "runners" to the open object.
void AppendDataSet(JsonText& json, const WebEntry& entry, clsAnalyzer& analyzer,
                   const std::vector<std::shared_ptr<clsLapData>>& without_legs);

}  // namespace quorvex2::detail
