#include "print/detail/print_settings.h"

#include <cctype>
#include <stdexcept>

#include "core/detail/component_state.h"
#include "quorvex2/core/root.h"
#include "quorvex2/core/text.h"
#include "quorvex2/platform/config_control.h"

namespace quorvex2::detail {

namespace {

double HexNumber(const std::string& Digits) {
  uint32_t value = 0;
  for (char c : Digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) break;
    const int digit = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

std::shared_ptr<clsConfigControl> SettingsStore() {
  if (const clsQuorvex2* root = CurrentRoot(); root && root->ConfigControl()) {
    return root->ConfigControl();
  }
  return std::make_shared<clsConfigControl>();
}

}  // namespace

double SettingNumber(const std::string& Text) {
  const std::string text = Trim(Text);
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    return HexNumber(text.substr(2));
  }
  return LeadingNumber(text);
}

AnalysisPrintSettings ReadAnalysisPrintSettings() {
  const auto store = SettingsStore();
  auto number = [&](const char* item, const char* default_value) {
    return SettingNumber(store->Value(QX_CONFIG_FOLDER_DATA, item, default_value));
  };
  AnalysisPrintSettings settings;
  settings.class_label_width = static_cast<float>(number("PRINT_CLASS_LABEL_WIDTH", "15"));
  settings.class_label_font_size = static_cast<float>(number("PRINT_CLASS_LABEL_FONT_SIZE", "35"));
  settings.rank_colors = {static_cast<int32_t>(number("PRINT_COLOR_RANK1", "&HCCCCCC")),
                          static_cast<int32_t>(number("PRINT_COLOR_RANK2", "&HDDDDDD")),
                          static_cast<int32_t>(number("PRINT_COLOR_RANK3", "&HEEEEEE"))};
  return settings;
}

clsPrintBook& RequireInitialisedBook(const std::shared_ptr<clsPrintBook>& Book,
                                     const std::string& Operation) {
  if (!Book) throw std::runtime_error(Operation + ": no print book was given");
  if (!(Book->Geometry().PrintableWidth > 0)) {
    throw std::runtime_error(Operation + ": the print book has not been initialised (Init)");
  }
  return *Book;
}

}  // namespace quorvex2::detail
