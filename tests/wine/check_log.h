#pragma once
// Counts the client's checks and reports each failure on one line; the summary line is the
// one the test stage reads.

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace wine_client {

class CheckLog {
  public:
    bool Expect(bool ok, std::string_view what) {
        if (ok) {
            ++passed_;
        } else {
            ++failed_;
            std::printf("FAIL %.*s\n", static_cast<int>(what.size()), what.data());
        }
        return ok;
    }

    bool ExpectStatus(HRESULT got, HRESULT want, std::string_view what) {
        if (got == want) return Expect(true, what);
        return Expect(false, std::string(what) + ": status " + Hex(got) + ", want " + Hex(want));
    }

    static std::string Hex(HRESULT status) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(status));
        return text;
    }

    int Failed() const { return failed_; }
    void PrintSummary(std::string_view stage) const {
        std::printf("%.*s: %d passed, %d failed\n", static_cast<int>(stage.size()), stage.data(), passed_,
                    failed_);
    }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

}  // namespace wine_client
