#pragma once
// The CSV result files of today's event software, each a reader and a sniffer that knows the
// format from the head of the text (UTF-8, CR LF line ends):
//   OE CSV         one row per runner, as OE and MeOS export it (';' ',' TAB or '\' separated)
//   SI CSV         one row per runner with a code, split and points column per control
//   SplitsBrowser  a "class,controls" line, then one row of leg times per runner
//   Emit CSV       one row per runner with the cumulative seconds to each control
#include <string_view>

#include "files/detail/format_registry.h"

namespace quorvex2::detail {

inline constexpr const char* kOeCsvLocation = "clsFileControl.LoadOeCsv";
inline constexpr const char* kSiCsvLocation = "clsFileControl.LoadSiCsv";
inline constexpr const char* kSplitsBrowserLocation = "clsFileControl.LoadSplitsBrowserCsv";
inline constexpr const char* kEmitCsvLocation = "clsFileControl.LoadEmitCsv";

bool LoadOeCsv(const ReadRequest& request);
bool IsOeCsv(std::string_view head_text);

bool LoadSiCsv(const ReadRequest& request);
bool IsSiCsv(std::string_view head_text);

bool LoadSplitsBrowserCsv(const ReadRequest& request);
bool IsSplitsBrowserCsv(std::string_view head_text);

bool LoadEmitCsv(const ReadRequest& request);
bool IsEmitCsv(std::string_view head_text);

}  // namespace quorvex2::detail
