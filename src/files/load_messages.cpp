#include "files/detail/load_messages.h"

#include "core/detail/fill_in.h"
#include "quorvex2/files/file_types.h"

namespace quorvex2::detail {
namespace {

constexpr const char* kNoFileName = "no file name was given";
constexpr const char* kFileMissing = "{path} does not exist";
constexpr const char* kDirectory = "{path} is a directory, not a file";
constexpr const char* kUnreadable = "{path} cannot be read (permission denied)";
constexpr const char* kEmptyFile = "{path} is empty";
constexpr const char* kTooFewLines =
    "{path} has fewer than three lines: it is not a lap file, a result listing or a split-time "
    "table";
constexpr const char* kXmlError = "{path} is not a lap file: XML error: {error} at offset {offset}";
constexpr const char* kOtherRoot =
    "{path} is not a lap file: its root element is <{element}>, not <{expected}>";
constexpr const char* kNotAResultFile =
    "{path} is not a result file: no runner with a result or split times found (expected "
    "{expected})";
constexpr const char* kClassLeftOut =
    "Class {class} left out: {controls} controls, at most {most} can be analysed";

// What a file of the type was expected to hold.
constexpr const char* kExpectedTable =
    "a lap file, or a table whose header line names the runner and class columns, with a line "
    "per runner";
constexpr const char* kExpectedListing =
    "a SPORTident result listing with runners under their classes";
constexpr const char* kExpectedExport =
    "an OEvent split-time export with runners under their classes";
constexpr const char* kExpectedResults = "a result or split-time file with a line per runner";

const char* ExpectedContent(int32_t file_type) {
  switch (file_type) {
    case QX_FILETYPE_QUORVEX1:
      return kExpectedTable;
    case QX_FILETYPE_SPORTIDENT:
      return kExpectedListing;
    case QX_FILETYPE_OEVENT:
      return kExpectedExport;
    default:
      return kExpectedResults;
  }
}

}  // namespace

std::string NoFileNameText() {
  return kNoFileName;
}

std::string FileMissingText(const std::string& path) {
  return FillIn(kFileMissing, {{"path", path}});
}

std::string DirectoryText(const std::string& path) {
  return FillIn(kDirectory, {{"path", path}});
}

std::string UnreadableText(const std::string& path) {
  return FillIn(kUnreadable, {{"path", path}});
}

std::string EmptyFileText(const std::string& path) {
  return FillIn(kEmptyFile, {{"path", path}});
}

std::string TooFewLinesText(const std::string& path) {
  return FillIn(kTooFewLines, {{"path", path}});
}

std::string XmlErrorText(const std::string& path, const std::string& error, size_t offset) {
  return FillIn(kXmlError, {{"path", path}, {"error", error}, {"offset", std::to_string(offset)}});
}

std::string OtherRootText(const std::string& path, const std::string& element,
                          const std::string& expected) {
  return FillIn(kOtherRoot, {{"path", path}, {"element", element}, {"expected", expected}});
}

std::string NotAResultFileText(const std::string& path, int32_t file_type) {
  return FillIn(kNotAResultFile, {{"path", path}, {"expected", ExpectedContent(file_type)}});
}

std::string ClassLeftOutText(const std::string& class_name, int32_t control_count,
                             int32_t most_controls) {
  return FillIn(kClassLeftOut, {{"class", class_name},
                                {"controls", std::to_string(control_count)},
                                {"most", std::to_string(most_controls)}});
}

}  // namespace quorvex2::detail
