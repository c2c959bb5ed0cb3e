#pragma once
// Every text the command-line host writes for a person to read (its own messages, not the
// reports and pages it writes), in one place. They follow the language of the run: written in
// Japanese and translated through the message catalogues (translate.h).
#include <cstddef>
#include <cstdint>
#include <string>

namespace qxcli::text {

// A failed load: what failed on which file, and why when that is known.
std::string CannotLoad(const std::string& file, const std::string& reason);
// Why a load failed, for CannotLoad: what the file system says about the file...
std::string NoSuchFile();
std::string IsAFolder();
// A pipe, socket or device given for a file.
std::string NotAFile();
// Every class of the file has more legs than can be analysed.
std::string NothingLeft();
// What the system said (an errno value), in the language of the run for the common cases.
std::string SystemReason(int error_number);
std::string CannotRead();
std::string EmptyFile();
// A pipe that gave more than `most_mib` MiB (an endless one).
std::string PipeTooLong(int most_mib);
// ... or what the component could not do with it.
std::string TypeNotRecognised();
std::string CannotUnpack();
// Usage errors the parser found, said again (UsageError).
std::string OptionRequired(const std::string& option);
std::string SubcommandRequired();
std::string OptionNeedsOption(const std::string& option, const std::string& other);
std::string OptionsExclusive(const std::string& option, const std::string& other);
std::string OptionValueMissing(const std::string& option);
std::string ValueBelow(const std::string& option, const std::string& value,
                       const std::string& least);
std::string ValueOutOfRange(const std::string& option, const std::string& value,
                            const std::string& low, const std::string& high);
std::string ValueNotAChoice(const std::string& option, const std::string& value,
                            const std::string& choices);
std::string ValueNotReadable(const std::string& option, const std::string& value);
std::string ArgumentsNotExpected(const std::string& arguments);
std::string RunWithHelp();
// An archive of several lap files and no --member; one without the member --member names.
std::string ChooseMember(size_t count, const std::string& names);
std::string NoSuchMember(const std::string& member);
std::string OnlyToAdd();
std::string NoResults();
// The component's error comment for an import-only file loaded on its own.
std::string ImportOnlyComment();
std::string NotReadableAs(const std::string& kind);
// The kinds of file the component reads, for NotReadableAs.
std::string NativeLapFile();
std::string Version1LapFileOrTable();
std::string SportIdentListing();
std::string OEventExport();
std::string ImportOnlyFile();
std::string IofResultList();
std::string OeCsvExport();
std::string SportIdentCsv();
std::string SplitsBrowserCsv();
std::string EmitCsv();

// Saving and writing.
// The reason ("" for none) is the system's.
std::string CannotSave(const std::string& file, const std::string& why = "");
std::string CannotWrite(const std::string& command, const std::string& file,
                        const std::string& why = "");
std::string LzhNeedsLzhName();
// What a version-1 lap file leaves out ("" when nothing).
std::string LapFileLoss(const std::string& command, const std::string& file, int32_t runners,
                        int32_t classes);
// How many names a version-1 lap file (Shift-JIS) writes with "?" for letters it cannot hold
// ("" when none).
std::string LapFileLetters(const std::string& command, const std::string& file, int32_t names);
// How many names hold a comma or "クラス", which break the version-1 lap file's lines into other
// columns or make them header lines ("" when none).
std::string LapFileLineBreakers(const std::string& command, const std::string& file, int32_t names);
// The classes whose figures a version-1 lap file does not read back, their names holding "="
// ("" when none).
std::string LapFileClassFigures(const std::string& command, const std::string& file,
                                const std::string& names);

// Progress bar captions.
std::string Loading(const std::string& file);
std::string WritingSite();
std::string WritingWeb();

// The command line.
std::string UnknownCommand(const std::string& name, const std::string& commands);
std::string UnknownReportKind(const std::string& name);
// What the command wrote to standard output did not all reach it (a full disk, a closed pipe).
std::string CannotWriteOutput();
// The settings store could not be read or written; its own words follow on the next line.
std::string SettingsUnusable(const std::string& command);

// Data sets.
std::string ClassPositionOutOfRange(const std::string& id, int32_t classes);
// The class names follow, for the user to pick one.
std::string NoSuchClass(const std::string& id, const std::string& names);
std::string NoClassOnCourse(int32_t course);
std::string NoSuchSegment(const std::string& name);
std::string NoRunnersInDataSet(const std::string& command, const std::string& data_set);
std::string NoXyMap(const std::string& data_set, int32_t most_runners);

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

// site and web
std::string CannotMakeFolder(const std::string& folder, const std::string& why);
std::string ViewerNeedsAddress();
std::string CannotWriteSite(const std::string& folder);
std::string SiteWritten(uintmax_t files, uintmax_t bytes, const std::string& folder);
std::string CannotWriteWeb(const std::string& folder);

// The component's error comment as terminal lines: CR LF line ends become LF, trailing ones go.
std::string TerminalText(std::string text);
// A message, then the component's error comment below it for the record.
std::string WithRecord(const std::string& message, const std::string& comment);

}  // namespace qxcli::text
