#pragma once
// The version-1 text lap file (".lap") and generic CSV/text tables of runners.
#include <cstdint>
#include <string>

#include "core/detail/catalogue.h"
#include "files/detail/format_registry.h"

namespace quorvex2::detail {

inline constexpr const char* kQuorvex1Location = "clsFileControl.LoadQuorvex1";
inline constexpr const char* kOrientationMessage =
    TrNoop("ＣＳＶファイルの１行目か１列目にフィールド名を入力してください");

// Reads a version-1 file or a table into the current root. False without an error comment
// for a missing file and the refused mail text export; the orientation failure goes to the
// host's message callback (the error comment without one).
bool LoadQuorvex1(const ReadRequest& request);

// Writes the current root's event as a version-1 file (Shift-JIS, CR LF).
bool SaveQuorvex1(const std::string& file_name, int32_t save_mode);

}  // namespace quorvex2::detail
