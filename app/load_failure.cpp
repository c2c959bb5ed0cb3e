#include "load_failure.h"

#include <fmt/format.h>

#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

#include "messages.h"

namespace qxcli {
namespace {

// What the file system says about a file that did not load; "" when it is a file with bytes
// to read.
std::string FileProblem(const std::string& file) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found) return text::NoSuchFile();
  if (status.type() == fs::file_type::directory) return text::IsAFolder();
  if (fs::exists(status) && !fs::is_regular_file(status)) return text::NotAFile();
  if (error || (status.permissions() & fs::perms::owner_read) == fs::perms::none) {
    return text::CannotRead();
  }
  return fs::file_size(file, error) == 0 && !error ? text::EmptyFile() : "";
}

// The operation that failed, as the error comment names it on a line of its own.
std::string_view Location(std::string_view comment) {
  constexpr std::string_view kPrefix = "clsFileControl.";
  for (size_t at = comment.find(kPrefix); at != std::string_view::npos;
       at = comment.find(kPrefix, at + 1)) {
    if (at != 0 && comment[at - 1] != '\n') continue;
    const size_t end = comment.find_first_of("\r\n", at);
    return comment.substr(at + kPrefix.size(), end - at - kPrefix.size());
  }
  return {};
}

// The component's error comment below the line that names the operation: the archive layer
// puts there why an archive could not be unpacked.
bool SaysMoreThanTheLocation(std::string_view comment) {
  const size_t at = comment.find("clsFileControl.");
  if (at == std::string_view::npos) return false;
  const size_t next = comment.find_first_not_of("\r\n", comment.find_first_of("\r\n", at));
  return next != std::string_view::npos;
}

// What the component could not do with the file, by the operation that failed. A type detection
// that failed and says why (the file itself being readable) had an archive to unpack and no file
// from it; one that says nothing had a file of no known type, archived or not.
std::string ComponentProblem(std::string_view comment) {
  using Kind = std::string (*)();
  static const std::map<std::string_view, Kind> kinds{
      {"LoadQuorvex2", text::NativeLapFile},
      {"LoadQuorvex1", text::Version1LapFileOrTable},
      {"LoadSportIdent", text::SportIdentListing},
      {"LoadOEvent", text::OEventExport},
      {"LoadImportOnly", text::ImportOnlyFile},
      {"LoadIofResultList", text::IofResultList},
      {"LoadOeCsv", text::OeCsvExport},
      {"LoadSiCsv", text::SportIdentCsv},
      {"LoadSplitsBrowserCsv", text::SplitsBrowserCsv},
      {"LoadEmitCsv", text::EmitCsv},
  };
  const std::string_view location = Location(comment);
  if (location == "DetectFileType") {
    return SaysMoreThanTheLocation(comment) ? text::CannotUnpack() : text::TypeNotRecognised();
  }
  if (location == "LoadLapFile") return text::NoResults();
  if (location == "LeaveOutClasses") return text::NothingLeft();
  if (const auto kind = kinds.find(location); kind != kinds.end()) {
    return text::NotReadableAs(kind->second());
  }
  return comment == text::ImportOnlyComment() ? text::OnlyToAdd() : "";
}

// An archive of several lap files and no --member, or one without the member --member names
// (the component's comment below names the members it holds).
std::string ChoiceProblem(const std::string& error_comment, const LoadWitness& witness) {
  if (!witness.member.empty()) {
    return Location(error_comment) == "ArchiveMember" ? text::NoSuchMember(witness.member) : "";
  }
  if (witness.offered.empty()) return "";
  const std::string names = fmt::format("{}", fmt::join(witness.offered, ", "));
  return text::ChooseMember(witness.offered.size(), names);
}

}  // namespace

std::string LoadFailure(const std::string& file, const std::string& error_comment,
                        const LoadWitness& witness) {
  std::string reason = FileProblem(file);
  if (reason.empty()) reason = ChoiceProblem(error_comment, witness);
  if (reason.empty()) reason = ComponentProblem(error_comment);
  // A reader that refuses the file with a message says why in it; other messages go above.
  const std::string shown = text::TerminalText(fmt::format("{}", fmt::join(witness.shown, "\n")));
  if (reason.empty()) return text::WithRecord(text::CannotLoad(file, shown), error_comment);
  return (shown.empty() ? "" : shown + "\n") +
         text::WithRecord(text::CannotLoad(file, reason), error_comment);
}

}  // namespace qxcli
