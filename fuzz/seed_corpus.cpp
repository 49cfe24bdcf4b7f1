#include "seed_corpus.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

#include "record_builder/record_sets.h"
#include "record_input.h"
#include "records/record200_layout.h"
#include "service/blob_dispatcher.h"
#include "support/random_bytes.h"

namespace audiogram::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text) { return {text.begin(), text.end()}; }

Bytes Joined(std::string_view prefix, const Bytes& blob, std::string_view suffix = {}) {
    Bytes joined = BytesOf(prefix);
    joined.insert(joined.end(), blob.begin(), blob.end());
    joined.insert(joined.end(), suffix.begin(), suffix.end());
    return joined;
}

Bytes Converted(DataStandard to, DataStandard from, Bytes source) {
    Blob result;
    ConvertDataBlob(to, from, source, result);
    return result;
}

struct NamedRecord {
    std::string name;
    Bytes record200;
    std::optional<std::uint8_t> base;  // the record's number among the bases of record inputs
};

std::vector<NamedRecord> Records200() {
    return {{"empty", record_sets::Empty200(), 0},
            {"typical", record_sets::Typical200(), 1},
            {"every-section", record_sets::EverySection200(), 2},
            {"heavy", record_sets::Heavy200(), {}},
            {"noise", testing::RandomBytes(record200::kSize, 7), {}},
            {"all-ff", Bytes(record200::kSize, 0xFF), {}}};
}

// A base record as a record input of its own, any other (a 100 one too) as raw bytes.
Bytes InputOf(const NamedRecord& record, const Bytes& bytes, std::string_view extension = {}) {
    return record.base ? BaseRecordInput(*record.base, extension) : RawRecordInput(Joined("", bytes, extension));
}

std::vector<Seed> DispatchSeeds() {
    std::vector<Seed> seeds;
    const auto add = [&](std::string name, std::int16_t to, std::int16_t from, const Bytes& blob) {
        seeds.push_back({std::move(name), Joined(EncodePair(to, from), blob)});
    };
    for (const NamedRecord& record : Records200()) {
        const Bytes record100 = Converted(kDataStandard100, kDataStandard200, record.record200);
        add(record.name + "-200-from-100", kDataStandard200, kDataStandard100, InputOf(record, record100));
        add(record.name + "-100-from-200", kDataStandard100, kDataStandard200, InputOf(record, record.record200));
        // The documents of a record of raw bytes run to hundreds of kilobytes: the round trip
        // exports those, the import reads them, the dispatch seeds stay with the base records.
        if (!record.base) continue;
        add(record.name + "-500-from-100-with-extension", kDataStandard500, kDataStandard100,
            InputOf(record, record100, "HOST-PRIVATE"));
        add(record.name + "-500-from-200-with-extension", kDataStandard500, kDataStandard200,
            InputOf(record, record.record200, "HOST-PRIVATE"));
        const Bytes document = Converted(kDataStandard500, kDataStandard200, record.record200);
        add(record.name + "-100-from-500", kDataStandard100, kDataStandard500, document);
        add(record.name + "-200-from-500", kDataStandard200, kDataStandard500, document);
    }
    add("unknown-target", 300, kDataStandard100, Bytes(64, 1));
    add("same-standard", kDataStandard100, kDataStandard100, Bytes(64, 2));
    add("negative-source", kDataStandard200, -1, BytesOf("x"));
    add("short-200", kDataStandard100, kDataStandard200, RawRecordInput(Bytes(100, 3)));
    return seeds;
}

// The export's documents, and shapes it never writes but a host, an XML tool or a hand may:
// the documents kept in fuzz/documents, and the typical one with a byte order mark and cut in half.
std::vector<Seed> ImportSeeds() {
    std::vector<Seed> seeds = ReadFolder(AUDCONV_FUZZ_DOCUMENTS_DIR);
    seeds.push_back({"empty-input.xml", {}});
    for (const NamedRecord& record : Records200()) {
        if (record.name == "heavy") continue;
        Bytes document = Converted(kDataStandard500, kDataStandard200, record.record200);
        if (record.name == "typical") {
            const auto half = document.begin() + static_cast<std::ptrdiff_t>(document.size() / 2);
            seeds.push_back({"byte-order-mark.xml", Joined("\xEF\xBB\xBF", document)});
            seeds.push_back({"truncated.xml", Bytes(document.begin(), half)});
        }
        seeds.push_back({record.name + ".xml", std::move(document)});
    }
    return seeds;
}

std::vector<Seed> RoundTripSeeds() {
    std::vector<Seed> seeds;
    for (const NamedRecord& record : Records200()) seeds.push_back({record.name, InputOf(record, record.record200)});
    return seeds;
}

}  // namespace

std::vector<Seed> ReadFolder(const std::filesystem::path& folder) {
    std::vector<Seed> files;
    if (!std::filesystem::is_directory(folder)) return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
        std::ifstream file(entry.path(), std::ios::binary);
        files.push_back({entry.path().filename().string(),
                         {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()}});
    }
    return files;
}

std::vector<Seed> SeedsFor(Target target) {
    switch (target) {
        case Target::Dispatch: return DispatchSeeds();
        case Target::Import:
        case Target::QuickPaths: return ImportSeeds();
        case Target::RoundTrip: return RoundTripSeeds();
    }
    return {};
}

}  // namespace audiogram::fuzz
