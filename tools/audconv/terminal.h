#pragma once
// Whether a standard stream is an interactive terminal (progress output goes there only).

#include <cstdio>

namespace audiogram::tool {

bool IsTerminal(std::FILE* stream);

}  // namespace audiogram::tool
