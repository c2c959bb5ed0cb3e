#pragma once
// Every lap file format plugs in here by its file type, so the dispatcher in clsFileControl
// never grows a branch per format. The table is filled once by RegisterBuiltinFormats()
// (src/files/builtin_formats.cpp): one line per format.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quorvex2::detail {

class ProgressReporter;

struct ReadRequest {
  std::string file_name;  // drives extension tests; the file read when file_data is empty
  int32_t load_mode = 0;
  std::string file_data;                 // the whole text already in memory (UTF-8), or empty
  ProgressReporter* progress = nullptr;  // never null inside a reader
  bool progress_visible = false;         // the host asked for the progress window
};

// A reader adds what it reads to the current root and returns false (after setting the error
// comment) on failure.
using Reader = std::function<bool(const ReadRequest&)>;
// A writer saves the current root's event; false on failure (no error comment).
using Writer = std::function<bool(const std::string& file_name, int32_t save_mode)>;

void RegisterReader(int32_t file_type, Reader reader);
void RegisterWriter(int32_t file_type, Writer writer);
// nullptr when no format of that type is built in.
const Reader* FindReader(int32_t file_type);
const Writer* FindWriter(int32_t file_type);

// Formats beyond the classic layouts are recognised by their content. A sniffer looks at the
// head of the file as text (UTF-8, CR LF line ends, at most kSniffBytes) and says whether it is
// its format. DetectFileType asks the sniffers, in the order of their file types, where the
// classic rules would fall back to the generic table (type 3).
inline constexpr size_t kSniffBytes = 64 * 1024;
using Sniffer = std::function<bool(std::string_view head_text)>;
void RegisterSniffer(int32_t file_type, Sniffer sniffer);
// The type of the first sniffer that recognises the text, or 0 when none does.
int32_t SniffFileType(std::string_view head_text);
// The location named in a reader's error comment ("clsFileControl.LoadOeCsv", ...).
void RegisterReaderLocation(int32_t file_type, std::string location);
const std::string* FindReaderLocation(int32_t file_type);

// The archiver (archive.h) plugs in the same way: RegisterBuiltinFormats() registers
// ExtractArchiveFile and MakeArchiveFile. Without an archiver, archives do not load and saves
// into ".lzh" return false.
using ArchiveExtractor =
    std::function<std::string(const std::string& archive_path, const std::string& folder)>;
using ArchiveMaker =
    std::function<bool(const std::string& archive_path, const std::string& file_path)>;
void RegisterArchiver(ArchiveExtractor extract, ArchiveMaker make);
// nullptr when no archiver is built in.
const ArchiveExtractor* FindArchiveExtractor();
const ArchiveMaker* FindArchiveMaker();

// Fills the table on first use (idempotent).
void RegisterBuiltinFormats();

}  // namespace quorvex2::detail
