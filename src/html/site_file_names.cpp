#include "html/detail/site_file_names.h"

#include "core/detail/file_names.h"
#include "quorvex2/core/text.h"

namespace quorvex2::detail {

std::vector<std::string> SiteFileNames(const std::vector<std::string>& file_names,
                                       const SiteRequest& request) {
  UniqueFileNames taken;
  for (const std::string* own :
       {&request.IndexFile, &request.Lap1File, &request.Lap2File, &request.ActiveXFile}) {
    if (!own->empty()) taken.Take(*own);
  }
  const auto pages = [&request](const std::string& base) {
    std::vector<std::string> files;
    for (const std::string* pattern :
         {&request.ResultFile, &request.AnalysisFile, &request.LegDataFile, &request.ChartFile}) {
      if (!pattern->empty()) files.push_back(ReplaceAll(*pattern, "*", base));
    }
    return files;
  };
  std::vector<std::string> names;
  for (const std::string& file_name : file_names) {
    names.push_back(taken.Claim(SafeFileName(file_name, "class"), pages));
  }
  return names;
}

}  // namespace quorvex2::detail
