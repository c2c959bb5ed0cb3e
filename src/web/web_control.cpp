// clsWebControl: the public entry of the web viewer.
#include "quorvex2/web/web_control.h"

#include <exception>

#include "core/detail/component_state.h"
#include "web/detail/web_site.h"

namespace quorvex2 {

bool clsWebControl::OutputWeb(const std::string& OutputFolder) const {
  const clsQuorvex2* root = detail::CurrentRoot();
  if (root == nullptr) {
    detail::SetErrorComment("OutputWeb\r\nno event is loaded");
    return false;
  }
  try {
    detail::WriteWebSite(*root, OutputFolder, Language.empty() ? "ja" : Language, Progress);
    return true;
  } catch (const std::exception& error) {
    detail::SetErrorComment(std::string("OutputWeb\r\n") + error.what());
    return false;
  }
}

}  // namespace quorvex2
