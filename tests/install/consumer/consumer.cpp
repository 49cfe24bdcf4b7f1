// Converts an empty 200 record to 100 through the installed library: a host program that
// builds, links and runs against the package alone. Exits 0 when the conversion holds.
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
    Blob record100;
    const bool holds = ConvertDataBlob(kDataStandard100, kDataStandard200, record200, record100) == kStatusOk &&
                       record100.size() == record100::kSize;
    std::puts(holds ? "consumer: a conversion through the installed library holds" : "200 to 100 failed");
    return holds ? 0 : 1;
}
