#pragma once
// The type information of IConvertAction from the registered type library, by which the
// component serves IDispatch. Loaded on first use and kept for the life of the process.

#include <oaidl.h>

namespace audiogram::windows {

struct ConvertActionTypeInfo {
    ITypeInfo* dispatch = nullptr;  // the dispinterface: handed out by GetTypeInfo
    ITypeInfo* vtable = nullptr;    // its dual interface: Invoke calls through the vtable
};

// Both pointers are kept by the process; callers do not release them. A failure is not
// kept: the next call tries again (the library may have been registered meanwhile).
HRESULT GetConvertActionTypeInfo(ConvertActionTypeInfo& typeInfo);

}  // namespace audiogram::windows
