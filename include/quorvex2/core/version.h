#pragma once
// The component's version, kept here and nowhere else (CMake reads it from this file).
#include <string>

namespace quorvex2 {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 19;
inline constexpr int kVersionBuild = 179;

// "2.19 ( Build 179 )", or "2.19" without the build.
std::string VersionText(bool WithTestBuild = true);

}  // namespace quorvex2
