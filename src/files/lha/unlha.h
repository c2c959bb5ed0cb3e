#pragma once
// Our archiver library, driven by command lines like the LHA archiver libraries of the
// platform the component comes from:
//   e -m "archive.lzh" "folder/" *.*     extract the members matching the masks into folder
//   a "archive.lzh" member.lxm           add (or replace) a member, creating the archive
// Paths are file-system paths (UTF-8); member names are stored in Shift-JIS, as archivers on
// that platform store them, and read back from either encoding. Extraction drops every folder
// part of a member name and skips folders and links, so nothing is written outside the folder.
#include <cstdint>

namespace quorvex2::detail::lha {

inline constexpr int32_t kUnlhaSuccess = 0;
inline constexpr int32_t kUnlhaBadCommand = 0x8001;   // unknown command or no archive named
inline constexpr int32_t kUnlhaNoArchive = 0x8002;    // the archive cannot be read
inline constexpr int32_t kUnlhaDamaged = 0x8003;      // a member failed its length or CRC check
inline constexpr int32_t kUnlhaWriteFailed = 0x8004;  // a file or the archive cannot be written
inline constexpr int32_t kUnlhaNoFile = 0x8005;       // a file to add cannot be read

// The version as the archiver libraries report it (major * 100 + minor).
uint16_t UnlhaGetVersion();

// Runs the command line. The window handle is accepted for the interface's sake and unused;
// a short result text goes into output when output_size > 0.
int32_t Unlha(const void* window, const char* command_line, char* output, uint32_t output_size);

}  // namespace quorvex2::detail::lha
