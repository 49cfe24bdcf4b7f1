#pragma once
// The component's interfaces and identifiers, and the host's two action interfaces. The
// Windows build generates them from the interface definitions; elsewhere they come from the
// hand-written declarations, which keep the generator's names (IID_*, CLSID_*, LIBID_*).

#include "com/com_platform.h"

#if defined(VESK_PORTABLE_COM)
#include "com/portable/converter_interfaces_decl.h"
#else
#include "VeskAudiogramConverter_h.h"
#endif
