// One libFuzzer target; the build compiles it once per target with AUDCONV_FUZZ_TARGET set
// to Dispatch, Import or RoundTrip. A broken property aborts, so libFuzzer keeps the input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_properties.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    audiogram::fuzz::UseDefaultConfiguration();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const audiogram::ByteSpan input(data, size);
    const std::string problem = audiogram::fuzz::Check(audiogram::fuzz::Target::AUDCONV_FUZZ_TARGET, input);
    if (!problem.empty()) {
        std::fprintf(stderr, "property broken: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
