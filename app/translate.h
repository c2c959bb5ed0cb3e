#pragma once
// The host's own texts in the language of the run (language_option.h). They are written in
// Japanese, the catalogues' source language, and marked like the library's texts so that
// scripts/update-po collects them: Tr("…"), NTr("…", "…", count). Placeholders are named:
//   Fill(Tr("{file} を保存できません"), {{"file", file}})
#include <cstdint>
#include <map>
#include <string>

namespace qxcli {

std::string Tr(const char* message);
std::string NTr(const char* one, const char* many, uint64_t count);
std::string Fill(const std::string& text, const std::map<std::string, std::string>& values);

}  // namespace qxcli
