#pragma once
// The groups of checks the Wine client runs against the registered component.

#include <string>
#include <vector>

#include "VeskAudiogramConverter_h.h"
#include "check_log.h"
#include "reference_cases.h"

namespace wine_client {

// `modulePath` is the DLL's path as regsvr32 was given it.
void CheckRegistration(CheckLog& log, const std::wstring& modulePath);
void CheckUnregistered(CheckLog& log);
void CheckTypeLibrary(CheckLog& log);

void CheckClassObject(CheckLog& log, const std::wstring& modulePath);
void CheckEarlyBound(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases);
void CheckLateBound(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases);
void CheckHostActions(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases);
void CheckApartmentCrossing(CheckLog& log, IConvertAction* action, const std::vector<ReferenceCase>& cases);

// The status codes of the component.
inline constexpr HRESULT kInvalidBlob = static_cast<HRESULT>(0x8004051C);
inline constexpr HRESULT kUnsupportedFormat = static_cast<HRESULT>(0x80040516);
inline constexpr HRESULT kNotImplemented = static_cast<HRESULT>(0x8004051D);

// The first case converting `from` to `to` successfully; throws when the reference has none.
const ReferenceCase& SuccessfulCase(const std::vector<ReferenceCase>& cases, short from, short to);

}  // namespace wine_client
