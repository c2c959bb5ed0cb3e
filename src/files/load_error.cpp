#include "files/detail/load_error.h"

#include "core/detail/component_state.h"
#include "files/detail/format_registry.h"
#include "files/detail/progress.h"
#include "quorvex2/core/root.h"

namespace quorvex2::detail {

bool FailLoad(const std::string& message, const std::string& location,
              const std::string& description) {
  SetErrorComment(Translate(CurrentLanguage(), "", message) + "\r\n" + location + "\r\n" +
                  description);
  return false;
}

void ShowLoadMessage(const std::string& message) {
  clsQuorvex2* root = CurrentRoot();
  if (root != nullptr && root->ShowMessage) {
    root->ShowMessage(message);
    return;
  }
  const std::string& comment = State().error_comment;
  SetErrorComment(comment.empty() ? message : comment + "\r\n" + message);
}

bool FailRead(const ReadRequest& request, const std::string& location,
              const std::string& description) {
  request.progress->Finish();
  return FailLoad(kCannotOpenFile, location, description);
}

}  // namespace quorvex2::detail
