// clsFileControl::OutputHtml: hands the arguments to the site generator.
#include <cstddef>
#include <exception>

#include "core/detail/component_state.h"
#include "files/detail/progress.h"
#include "html/detail/site_generator.h"
#include "quorvex2/files/file_control.h"

namespace quorvex2 {

bool clsFileControl::OutputHtml(const std::string& OutputFolder, const std::string& IndexFile,
                                const std::string& AnalysisFile, const std::string& ResultFile,
                                const std::string& Lap2File, const std::string& Lap1File,
                                bool OfficialSite, bool IndexFileAddMode,
                                const std::string& ActiveXFile, const std::string& ActiveXAddress,
                                bool AnalysisIncludeCourse, bool ResultIncludeCourse,
                                const std::string& LegDataFile, bool LegDataIncludeCourse,
                                const std::string& ChartFile, bool ChartIncludeCourse,
                                const std::string& ChartOption, const std::string& LinkStyleFile,
                                const std::string& Encoding) {
  const detail::SiteRequest request{OutputFolder,
                                    IndexFile,
                                    AnalysisFile,
                                    ResultFile,
                                    Lap2File,
                                    Lap1File,
                                    OfficialSite,
                                    IndexFileAddMode,
                                    ActiveXFile,
                                    ActiveXAddress,
                                    AnalysisIncludeCourse,
                                    ResultIncludeCourse,
                                    LegDataFile,
                                    LegDataIncludeCourse,
                                    ChartFile,
                                    ChartIncludeCourse,
                                    ChartOption,
                                    LinkStyleFile,
                                    Encoding};
  // Progress as the readers raise it: 0, the share of the entries written, 100 on every way out.
  detail::ProgressReporter progress(Progress);
  progress.Start();
  try {
    return detail::GenerateSite(request, [&progress](size_t done, size_t total) {
      progress.Step(static_cast<double>(done), static_cast<double>(total));
    });
  } catch (const std::exception& error) {
    detail::SetErrorComment(std::string("OutputHtml\r\n") + error.what());
    return false;
  }
}

}  // namespace quorvex2
