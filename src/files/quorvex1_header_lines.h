#pragma once
// The "$key=value" lines at the top of a version-1 lap file: the event header and the course
// parameters of each class.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex2 {
class clsQuorvex2;
}

namespace quorvex2::detail {

inline constexpr const char* kVersion1Signature = "$LAPFILE Ver=2";
inline constexpr const char* kVersion1Revision = "$LAPFILE Rev=3";

// Applies the header lines (read after the data, so the classes exist). The event header is
// taken only in a fresh load (load mode 0); class parameters in every mode.
void ApplyVersion1HeaderLines(const std::vector<std::string>& header_lines, int32_t load_mode,
                              clsQuorvex2& root);

}  // namespace quorvex2::detail
