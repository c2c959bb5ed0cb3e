#pragma once
// The HTML of the web viewer's pages: a small shell that links the viewer's style sheet and
// scripts and embeds the page's data as JSON; the scripts build the page from it in the
// reader's language.
#include <string>
#include <vector>

namespace quorvex2::detail {

// The folder beside the pages that holds the viewer's assets.
inline constexpr const char* kAssetFolder = "viewer";

// page_kind is "index" or "set"; scripts are asset names ("set.js") loaded in order after the
// labels and the shared core.
std::string WebPageHtml(const std::string& title, const std::string& page_kind,
                        const std::string& language, const std::string& data_json,
                        const std::vector<std::string>& scripts);

// The labels script: every language's labels of the viewer, and the default language.
std::string LabelsScript(const std::string& default_language);

}  // namespace quorvex2::detail
