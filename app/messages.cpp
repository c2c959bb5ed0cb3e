#include "messages.h"

namespace qxcli::text {
namespace {

// "1 runner", "3 runners"; "1 class", "2 classes".
std::string Counted(uintmax_t n, const std::string& noun) {
  const bool es = noun.ends_with("s");
  return std::to_string(n) + " " + noun + (n == 1 ? "" : es ? "es" : "s");
}

}  // namespace

std::string CannotLoad(const std::string& file, const std::string& reason) {
  return "quorvex2: cannot load " + file + (reason.empty() ? "" : ": " + reason);
}

std::string NoSuchFile() {
  return "no such file";
}

std::string IsAFolder() {
  return "it is a folder, not a file";
}

std::string CannotSave(const std::string& file) {
  return "quorvex2: cannot save " + file;
}

std::string CannotWrite(const std::string& command, const std::string& file) {
  return command + ": cannot write " + file;
}

std::string LzhNeedsLzhName() {
  return "convert: --to lzh needs an output file name ending in .lzh";
}

std::string UnknownSaveType(const std::string& file) {
  return "convert: the name " + file +
         " does not say which file type to write: name it .lxm, .xml (IOF), .lap or .lzh, or "
         "give --to";
}

std::string LapFileLoss(const std::string& command, const std::string& file, int32_t runners,
                        int32_t classes) {
  if (runners == 0 && classes == 0) return "";
  std::string lost;
  if (runners > 0) lost = Counted(runners, "runner") + " without leg times";
  if (runners > 0 && classes > 0) lost += " and ";
  if (classes > 0) lost += Counted(classes, "class") + " without controls";
  return command + ": " + file + " leaves out " + lost +
         ": the version-1 lap file cannot hold them";
}

std::string Loading(const std::string& file) {
  return "loading " + file;
}

std::string WritingSite() {
  return "writing the site";
}

std::string UnknownCommand(const std::string& name, const std::string& commands) {
  return "quorvex2: unknown command " + name + " (the commands are " + commands +
         "; quorvex2 --help says more)";
}

std::string UnknownReportKind(const std::string& name) {
  return "report: unknown kind " + name;
}

std::string ClassPositionOutOfRange(const std::string& id, int32_t classes) {
  return "--class " + id + ": the event has " + Counted(classes, "class");
}

std::string NoSuchClass(const std::string& id) {
  return "--class " + id + ": no class of that name";
}

std::string NoClassOnCourse(int32_t course) {
  return "--course " + std::to_string(course) + ": no class runs that course";
}

std::string NoSuchSegment(const std::string& name) {
  return "--segment " + name + ": no segment of that name";
}

std::string NoRunnersInDataSet(const std::string& command, const std::string& data_set) {
  return command + ": " + data_set + " has no runners";
}

std::string BadPictureSize(const std::string& text) {
  return "chart: --size must be WIDTHxHEIGHT, each 200 .. 32767 pixels: " + text;
}

std::string NoSuchRunner(const std::string& name) {
  return "chart: no runner named " + name + " in the data set";
}

std::string BadPaper() {
  return "print: --paper takes A3, A4, A5, B4, B5 or Letter";
}

std::string BadNup() {
  return "print: --nup takes ROWSxCOLUMNS, for example 2x2";
}

std::string BadAnalysisMode(const std::string& mode) {
  return "print: --analysis takes standard, laptime or splittime, not " + mode;
}

std::string PageOutOfRange(int32_t page, int32_t sheets) {
  return "print: --page " + std::to_string(page) + ": the document has " + Counted(sheets, "sheet");
}

std::string PrintNeedsFile() {
  return "print: FILE is required";
}

std::string PrintAnalysisOrResults() {
  return "print: give --analysis [MODE] or --results, not both";
}

std::string PrintNeedsOutput() {
  return "print: give -o FILE.pdf or --preview FILE.png";
}

std::string NothingToPrint() {
  return "print: nothing to print, the data set is empty";
}

std::string CannotMakeFolder(const std::string& folder, const std::string& why) {
  return "site: cannot make the folder " + folder + ": " + why;
}

std::string ViewerNeedsAddress() {
  return "site: --viewer needs --viewer-address";
}

std::string CannotWriteSite(const std::string& folder, const std::string& why) {
  return "site: cannot write the site in " + folder + (why.empty() ? "" : ": " + why);
}

std::string SiteWritten(uintmax_t files, uintmax_t bytes, const std::string& folder) {
  return "site: wrote " + Counted(files, "file") + ", " + Counted(bytes, "byte") + ", in " + folder;
}

std::string WritingWeb() {
  return "writing the web viewer";
}

std::string CannotWriteWeb(const std::string& folder, const std::string& why) {
  return "web: cannot write the viewer in " + folder + (why.empty() ? "" : ": " + why);
}

}  // namespace qxcli::text
