#pragma once

#include <string>

namespace arc {

inline constexpr int kVersionMajor = ARCANOTE_VERSION_MAJOR;
inline constexpr int kVersionMinor = ARCANOTE_VERSION_MINOR;
inline constexpr int kVersionRevision = ARCANOTE_VERSION_PATCH;

/// "major.minor.revision", as the command line prints it.
inline std::string VersionString() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

/// The splash window's label: "v" + major + "." + minor and revision run together.
inline std::string SplashVersionLabel() {
    return "v" + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
           std::to_string(kVersionRevision);
}

}  // namespace arc
