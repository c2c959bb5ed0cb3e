#pragma once
// What the web site generator is asked to write (the arguments of clsFileControl::OutputHtml).
#include <string>

namespace quorvex2::detail {

struct SiteRequest {
  std::string OutputFolder, IndexFile, AnalysisFile, ResultFile, Lap2File, Lap1File;
  bool OfficialSite = false;
  bool IndexFileAddMode = false;
  std::string ActiveXFile, ActiveXAddress;
  bool AnalysisIncludeCourse = false;
  bool ResultIncludeCourse = false;
  std::string LegDataFile;
  bool LegDataIncludeCourse = false;
  std::string ChartFile;
  bool ChartIncludeCourse = false;
  std::string ChartOption, LinkStyleFile;
  // "x-sjis" writes Shift-JIS files; any other name (e.g. "utf-8") writes UTF-8 declaring it.
  std::string Encoding = "x-sjis";
  // Threads that write the entries' pages side by side; 0: as many as the machine has cores.
  int32_t Threads = 0;
};

}  // namespace quorvex2::detail
