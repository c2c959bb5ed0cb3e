#include "core/detail/file_names.h"

#include <algorithm>
#include <array>

#include "quorvex2/core/text.h"

namespace quorvex2::detail {
namespace {

constexpr std::string_view kRemoved = ":|<>'\"*?#%";

// The device names of the Windows file systems: "con" or "con.html" opens the console there.
constexpr std::array<std::string_view, 22> kDeviceNames = {
    "con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4", "com5", "com6", "com7",
    "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};

bool IsRemoved(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F || kRemoved.find(c) != std::string_view::npos;
}

std::string_view LastPathPart(std::string_view text) {
  const size_t cut = text.find_last_of("/\\");
  return cut == std::string_view::npos ? text : text.substr(cut + 1);
}

void TrimDotsAndBlanks(std::string& name) {
  const size_t start = name.find_first_not_of('.');
  name.erase(0, std::min(start, name.size()));
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
}

bool IsDeviceName(const std::string& name) {
  const std::string base = ToLower(name.substr(0, name.find('.')));
  return std::find(kDeviceNames.begin(), kDeviceNames.end(), base) != kDeviceNames.end();
}

// "con" becomes "con_", "con.html" "con_.html".
void SuffixDeviceName(std::string& name) {
  if (!IsDeviceName(name)) return;
  const size_t dot = std::min(name.find('.'), name.size());
  name = name.substr(0, dot) + "_" + name.substr(dot);
}

// Cuts at most max bytes, never inside a UTF-8 sequence.
void CutToBytes(std::string& name, size_t max) {
  if (name.size() <= max) return;
  size_t cut = max;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  name.resize(cut);
}

}  // namespace

std::string SafeFileName(std::string_view text, std::string_view fallback) {
  std::string name(LastPathPart(text));
  std::erase_if(name, IsRemoved);
  TrimDotsAndBlanks(name);
  CutToBytes(name, kMaxFileNameBytes);
  TrimDotsAndBlanks(name);
  SuffixDeviceName(name);
  return name.empty() ? std::string(fallback) : name;
}

void UniqueFileNames::Take(const std::string& name) {
  taken_.insert(ToLower(name));
}

bool UniqueFileNames::IsTaken(const std::string& name) const {
  return taken_.count(ToLower(name)) > 0;
}

}  // namespace quorvex2::detail
