#pragma once
// What a version-1 lap file cannot hold, told on stderr so that the loss is never silent: the
// layout has no place for a class without controls (nor its runners) or a runner without legs,
// its Shift-JIS no letter that code page 932 lacks ("É" is written "?"), its unquoted columns no
// comma, no field of a runner line "クラス" (the mark of a header line), and its "name=value" lines
// no class name with "=".
#include <string>

#include <quorvex2/core/root.h>

namespace qxcli {

// Warns on stderr when the version-1 lap file `file` that `command` wrote leaves anything of
// the event out.
void WarnLapFileLoss(const quorvex2::clsQuorvex2& root, const std::string& command,
                     const std::string& file);

}  // namespace qxcli
