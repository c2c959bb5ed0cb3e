#pragma once
// Every text the command-line host writes for a person to read (its own messages, not the
// reports and pages it writes), in one place, so that a translation touches this file only.
#include <cstdint>
#include <string>

namespace qxcli::text {

// Loading and saving.
std::string CannotLoad(const std::string& file, const std::string& reason);
std::string NoSuchFile();
std::string IsAFolder();
std::string CannotSave(const std::string& file);
std::string CannotWrite(const std::string& command, const std::string& file);
std::string LzhNeedsLzhName();
std::string UnknownSaveType(const std::string& file);
// What a version-1 lap file leaves out ("" when nothing).
std::string LapFileLoss(const std::string& command, const std::string& file, int32_t runners,
                        int32_t classes);

// Progress bar captions.
std::string Loading(const std::string& file);
std::string WritingSite();

// The command line.
std::string UnknownCommand(const std::string& name, const std::string& commands);
std::string UnknownReportKind(const std::string& name);

// Data sets.
std::string ClassPositionOutOfRange(const std::string& id, int32_t classes);
std::string NoSuchClass(const std::string& id);
std::string NoClassOnCourse(int32_t course);
std::string NoSuchSegment(const std::string& name);
std::string NoRunnersInDataSet(const std::string& command, const std::string& data_set);

// chart
std::string BadPictureSize(const std::string& text);
std::string NoSuchRunner(const std::string& name);

// print
std::string BadPaper();
std::string BadNup();
std::string BadAnalysisMode(const std::string& mode);
std::string PageOutOfRange(int32_t page, int32_t sheets);
std::string PrintNeedsFile();
std::string PrintAnalysisOrResults();
std::string PrintNeedsOutput();
std::string NothingToPrint();

// site
std::string CannotMakeFolder(const std::string& folder, const std::string& why);
std::string ViewerNeedsAddress();
std::string CannotWriteSite(const std::string& folder, const std::string& why);
std::string SiteWritten(uintmax_t files, uintmax_t bytes, const std::string& folder);

// web
std::string WritingWeb();
std::string CannotWriteWeb(const std::string& folder, const std::string& why);

}  // namespace qxcli::text
