// clsWebControl: the public entry of the web viewer.
#include "quorvex2/web/web_control.h"

#include <exception>

#include "core/detail/component_state.h"
#include "quorvex2/core/language.h"
#include "quorvex2/core/root.h"
#include "web/detail/web_site.h"

namespace quorvex2 {

bool clsWebControl::OutputWeb(const std::string& OutputFolder) const {
  const clsQuorvex2* root = detail::CurrentRoot();
  if (root == nullptr) {
    detail::SetErrorComment("OutputWeb\r\nno event is loaded");
    return false;
  }
  std::string language = Language.empty() ? root->Language() : Language;
  if (!IsLanguageAvailable(language)) language = "ja";
  try {
    detail::WriteWebSite(*root, OutputFolder, language, Progress);
    return true;
  } catch (const std::exception& error) {
    detail::SetErrorComment(std::string("OutputWeb\r\n") + error.what());
    return false;
  }
}

}  // namespace quorvex2
