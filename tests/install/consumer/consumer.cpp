// Converts an empty 200 record to 100 and back through the installed library and checks
// the sizes and the round trip. Exits 0 when all holds.
#include <cstdio>
#include <vector>

#include "records/empty_record.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "service/blob_dispatcher.h"

int main() {
    using namespace audiogram;
    std::vector<std::uint8_t> record200(record200::kSize);
    MakeEmptyRecord200(record200);
    Blob record100, back;
    if (ConvertDataBlob(kDataStandard100, kDataStandard200, record200, record100) != kStatusOk ||
        record100.size() != record100::kSize) {
        std::puts("200 to 100 failed");
        return 1;
    }
    if (ConvertDataBlob(kDataStandard200, kDataStandard100, record100, back) != kStatusOk || back != record200) {
        std::puts("100 to 200 did not give the record back");
        return 1;
    }
    std::puts("consumer: round trip through the installed library holds");
    return 0;
}
