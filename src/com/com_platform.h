#pragma once
// The COM types, interfaces and OLE Automation functions the component is written against.
// The build chooses: the Windows headers where COM exists, our own compatible layer
// elsewhere (VESK_PORTABLE_COM). Component sources include this header, never a platform one.

#if defined(VESK_PORTABLE_COM)
#include "com/portable/com_base.h"
#include "com/portable/oleaut.h"
#else
// windows.h first: the other two rely on what it declares
// clang-format off
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>
// clang-format on
#endif
