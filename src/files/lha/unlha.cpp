#include "files/lha/unlha.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "files/lha/command_line.h"
#include "files/lha/member_io.h"

namespace quorvex2::detail::lha {
namespace {

int32_t Run(const ArchiverCommand& command) {
  if (command.command == "e" || command.command == "x") return ExtractMembers(command);
  if (command.command == "a") return AddMembers(command);
  return kUnlhaBadCommand;
}

const char* StatusText(int32_t status) {
  switch (status) {
    case kUnlhaSuccess:
      return "OK";
    case kUnlhaBadCommand:
      return "unknown command";
    case kUnlhaNoArchive:
      return "cannot read the archive";
    case kUnlhaDamaged:
      return "damaged archive";
    case kUnlhaWriteFailed:
      return "cannot write";
    default:
      return "cannot read a file to add";
  }
}

}  // namespace

uint16_t UnlhaGetVersion() {
  return 100;
}

int32_t Unlha(const void*, const char* command_line, char* output, uint32_t output_size) {
  const int32_t status = command_line ? Run(ParseArchiverCommand(command_line)) : kUnlhaBadCommand;
  if (output && output_size > 0) {
    const char* text = StatusText(status);
    const size_t n = std::min<size_t>(std::strlen(text), output_size - 1);
    std::memcpy(output, text, n);
    output[n] = '\0';
  }
  return status;
}

}  // namespace quorvex2::detail::lha
