#pragma once
// Early returns on failing HRESULTs, and the boundary that keeps exceptions inside the
// component: no exception may cross an interface method.

#include <new>
#include <stdexcept>
#include <utility>

#include "com/com_platform.h"

#define RETURN_IF_FAILED(expression)                                     \
    do {                                                                 \
        const HRESULT returnIfFailedResult_ = (expression);              \
        if (FAILED(returnIfFailedResult_)) return returnIfFailedResult_; \
    } while (false)

namespace audiogram::com {

// An exception that carries an HRESULT: it ends the interface method with that HRESULT.
class ComError : public std::runtime_error {
  public:
    explicit ComError(HRESULT result) : std::runtime_error("COM error"), result_(result) {}
    HRESULT Result() const { return result_; }

  private:
    HRESULT result_;
};

// Runs the body of an interface method. A ComError ends it with its HRESULT, running out of
// memory with E_OUTOFMEMORY, any other exception with `otherwise`.
template <typename Body>
HRESULT CallAtBoundary(HRESULT otherwise, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const ComError& error) {
        return error.Result();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return otherwise;
    }
}

}  // namespace audiogram::com
