#include "translate.h"

#include <quorvex2/core/language.h>

#include "language_option.h"

namespace qxcli {

std::string Tr(const char* message) {
  return quorvex2::TranslateText(Language(), message);
}

std::string NTr(const char* one, const char* many, uint64_t count) {
  return quorvex2::TranslatePlural(Language(), one, many, count);
}

std::string Fill(const std::string& text, const std::map<std::string, std::string>& values) {
  return quorvex2::FillPlaceholders(text, values);
}

}  // namespace qxcli
