#pragma once
// The error comment of a failing reader: message, CR LF, location, CR LF and the description of
// what stopped it ("ファイルを開けません\r\nclsFileControl.LoadOEvent\r\n..."). The last CR LF
// is written even when the description is empty (a parser that merely reported failure).
#include <string>

#include "files/detail/load_messages.h"

namespace quorvex2::detail {

// Sets the error comment and returns false, so readers can `return FailLoad(...)`.
bool FailLoad(const std::string& message, const std::string& location,
              const std::string& description = "");

struct ReadRequest;

// Hands a note about what a load left out to the host's ShowMessage, or without one adds it to
// the error comment.
void ShowLoadMessage(const std::string& message);

// A text reader's way out: ends the progress (raising 100) and fails with "ファイルを開けません"
// at the location.
bool FailRead(const ReadRequest& request, const std::string& location,
              const std::string& description);

}  // namespace quorvex2::detail
