#pragma once
// The handle of the module this code is linked into: the registration and the marshalling
// code need it to name the module's path.

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;  // provided by the linker for every module

namespace audiogram::com {

inline HMODULE ThisModule() {
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

}  // namespace audiogram::com
