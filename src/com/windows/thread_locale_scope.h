#pragma once
// Runs a stretch of code under another thread locale and puts the caller's back after it.
// Registration writes its texts under the system default locale, whatever the caller's is.

#include <windows.h>

namespace audiogram::com {

class ThreadLocaleScope {
  public:
    explicit ThreadLocaleScope(LCID locale) : previous_(GetThreadLocale()) { SetThreadLocale(locale); }
    ~ThreadLocaleScope() { SetThreadLocale(previous_); }
    ThreadLocaleScope(const ThreadLocaleScope&) = delete;
    ThreadLocaleScope& operator=(const ThreadLocaleScope&) = delete;

  private:
    LCID previous_;
};

}  // namespace audiogram::com
