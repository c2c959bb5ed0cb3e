#include "files/detail/load_messages.h"

#include "quorvex2/files/file_types.h"

namespace quorvex2::detail {
namespace {

// What a file of the type was expected to hold.
std::string ExpectedContent(int32_t file_type) {
  switch (file_type) {
    case QX_FILETYPE_QUORVEX1:
      return "a lap file, or a table whose header line names the runner and class columns, "
             "with a line per runner";
    case QX_FILETYPE_SPORTIDENT:
      return "a SPORTident result listing with runners under their classes";
    case QX_FILETYPE_OEVENT:
      return "an OEvent split-time export with runners under their classes";
    default:
      return "a result or split-time file with a line per runner";
  }
}

}  // namespace

std::string NoFileNameText() {
  return "no file name was given";
}

std::string FileMissingText(const std::string& path) {
  return path + " does not exist";
}

std::string DirectoryText(const std::string& path) {
  return path + " is a directory, not a file";
}

std::string UnreadableText(const std::string& path) {
  return path + " cannot be read (permission denied)";
}

std::string EmptyFileText(const std::string& path) {
  return path + " is empty";
}

std::string TooFewLinesText(const std::string& path) {
  return path +
         " has fewer than three lines: it is not a lap file, a result listing or a split-time "
         "table";
}

std::string NotALapFileText(const std::string& path, const std::string& reason) {
  return path + " is not a lap file: " + reason;
}

std::string NotAResultFileText(const std::string& path, int32_t file_type) {
  return path + " is not a result file: no runner with a result or split times found (expected " +
         ExpectedContent(file_type) + ")";
}

std::string ClassLeftOutText(const std::string& class_name, int32_t control_count,
                             int32_t most_controls) {
  return "Class " + class_name + " left out: " + std::to_string(control_count) +
         " controls, at most " + std::to_string(most_controls) + " can be analysed";
}

}  // namespace quorvex2::detail
