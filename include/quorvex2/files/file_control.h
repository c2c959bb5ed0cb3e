#pragma once
// Lap file loading and saving, and the web site generator.
#include <cstdint>
#include <functional>
#include <string>

#include "quorvex2/core/field.h"
#include "quorvex2/core/load_mode.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2 {

class clsFileControl {
 public:
  // When true the readers report their progress while they read (the command-line host draws
  // a bar); the Progress event is raised either way.
  Field<bool> ProgressVisible;

  // Raised by the readers with the percentage done: 0 at the start, 100 on every way out.
  std::function<void(int32_t Percent)> Progress;

  // Loads a lap file into the current root's event. FileData, when not empty, is the file's
  // whole text (UTF-8) and is read instead of the file; FileName still drives the extension
  // tests. False with the error comment set on failure; never throws.
  bool LoadLapFile(const std::string& FileName, int32_t LapFileType = QX_FILETYPE_AUTODETECT,
                   int32_t LoadMode = QX_LOADMODE_NORMAL, const std::string& FileData = "");
  // Saves the current root's event. False on failure (the error comment is not touched); never
  // throws. A failed save leaves the file that was there.
  bool SaveLapFile(const std::string& FileName, int32_t LapFileType = QX_FILETYPE_AUTODETECT,
                   int32_t SaveMode = QX_SAVEMODE_NORMAL);

  // Writes the web site of the loaded event into OutputFolder: per class (and, with the
  // *IncludeCourse flags, per shared course) the pages whose file-name patterns are given ("*"
  // stands for the entry's file name; an empty pattern leaves that page out), lap file copies,
  // the viewer page and the index block. Files are Shift-JIS; an Encoding other than "x-sjis"
  // (such as "utf-8") writes UTF-8 pages that declare it. Progress is raised per class entry.
  // False when a page or file could not be written; never throws.
  bool OutputHtml(const std::string& OutputFolder, const std::string& IndexFile = "",
                  const std::string& AnalysisFile = "", const std::string& ResultFile = "",
                  const std::string& Lap2File = "", const std::string& Lap1File = "",
                  bool OfficialSite = false, bool IndexFileAddMode = false,
                  const std::string& ActiveXFile = "", const std::string& ActiveXAddress = "",
                  bool AnalysisIncludeCourse = false, bool ResultIncludeCourse = false,
                  const std::string& LegDataFile = "", bool LegDataIncludeCourse = false,
                  const std::string& ChartFile = "", bool ChartIncludeCourse = false,
                  const std::string& ChartOption = "", const std::string& LinkStyleFile = "",
                  const std::string& Encoding = "x-sjis");

  // The file type of a 1-based entry of FileSaveFilter(); 0 for any other index.
  QxLapFileTypeConst FileSaveMode(int32_t FilterIndex) const;
  std::string FileSaveFilter() const;
  std::string FileLoadFilter() const;
};

}  // namespace quorvex2
