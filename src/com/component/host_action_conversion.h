#pragma once
// ConvertData over the host's action objects: the blob and its data standard come from the
// old action, which also creates the new action; the new action receives the result blob
// and the target data standard and is handed back to the host.

#include "com/converter_interfaces.h"

namespace audiogram::com {

// `ppNewAction` is written only on success, and may be null: the new action is then filled
// and released.
HRESULT ConvertHostAction(short newDataFormat, IDispatch* pOldAction, IDispatch** ppNewAction);

}  // namespace audiogram::com
