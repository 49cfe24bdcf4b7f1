#pragma once
// The exit codes of every audconv command; scripts that drive the tool rely on them.

namespace audconv {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the conversion or a file operation failed
inline constexpr int kExitUsage = 2;    // the command line was not understood

}  // namespace audconv
