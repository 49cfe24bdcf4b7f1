#include "seed_corpus.h"

#include <optional>
#include <random>
#include <string_view>

#include "record_builder/record_sets.h"
#include "record_input.h"
#include "records/record200_layout.h"
#include "service/blob_dispatcher.h"

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

Bytes Noise(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
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
            {"noise", Noise(record200::kSize, 7), {}},
            {"all-ff", Bytes(record200::kSize, 0xFF), {}}};
}

// A base record as a record input of its own, any other (a 100 one too) as raw bytes.
Bytes InputOf(const NamedRecord& record, const Bytes& bytes, std::string_view extension = {}) {
    return record.base ? BaseRecordInput(*record.base, extension) : RawRecordInput(Joined("", bytes, extension));
}

constexpr std::string_view kOpening =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<TORVAAudiometricStandard ConvertedFromDataStandard=\"200\" Version=\"500\" "
    "xmlns=\"http://www.torva.com/Measurement/Audiogram\">\r\n";
constexpr std::string_view kClosing = "</TORVAAudiometricStandard>\r\n";

// Shapes the export never writes but a host, an XML tool or a hand may.
std::vector<Seed> HandWrittenDocuments(const Bytes& typicalDocument) {
    const auto document = [](std::string_view body) { return Joined(kOpening, BytesOf(body), kClosing); };
    std::vector<Seed> seeds = {
        {"escapes-and-wide-text",
         document("<ToneNotes><AudiometerMakeModel>A &amp; B &lt;C&gt; &quot;D&quot; \xC3\xA9\xE2\x82\xAC"
                  "</AudiometerMakeModel><AudiometerLastCalibration>2009-05-01T10:11:12+01:00"
                  "</AudiometerLastCalibration></ToneNotes>")},
        {"unknown-elements-comments-instructions",
         document("<!-- note --><?pi x?><Unknown a=\"1\"><Deeper><Deepest>x</Deepest></Deeper></Unknown>"
                  "<ToneThresholdAudiogram><Extra/><AudMeasurementConditions><StimulusSignalType>PureTone"
                  "</StimulusSignalType></AudMeasurementConditions><TonePoints><StimulusFrequency>1000"
                  "</StimulusFrequency><StimulusLevel/></TonePoints></ToneThresholdAudiogram>")},
        {"numbers-of-every-form",
         document("<DecayAudiogram><TonePoints><StimulusFrequency> +1e3</StimulusFrequency><StimulusLevel>-0x1p4"
                  "</StimulusLevel><MaskingFrequency>inf</MaskingFrequency><MaskingLevel>nan</MaskingLevel>"
                  "<StartTime>.5e-2</StartTime><EndTime>99999999999</EndTime></TonePoints></DecayAudiogram>")},
        {"masks-and-private-data",
         document("<FrequenciesUsedForToneAverage><LeftEar1>F500</LeftEar1><RightEar2>F8000</RightEar2>"
                  "</FrequenciesUsedForToneAverage><PrivateAudiogramData>SE9TVA==</PrivateAudiogramData>")},
        {"byte-order-mark", Joined("\xEF\xBB\xBF", typicalDocument)},
        {"truncated", Bytes(typicalDocument.begin(), typicalDocument.begin() + static_cast<std::ptrdiff_t>(typicalDocument.size() / 2))},
        {"nul-inside", Joined(kOpening, Bytes{0}, kClosing)},
        {"empty-input", {}},
    };
    return seeds;
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

std::vector<Seed> ImportSeeds() {
    std::vector<Seed> seeds;
    Bytes typicalDocument;
    for (const NamedRecord& record : Records200()) {
        if (record.name == "heavy") continue;
        Bytes document = Converted(kDataStandard500, kDataStandard200, record.record200);
        if (record.name == "typical") typicalDocument = document;
        seeds.push_back({record.name + ".xml", std::move(document)});
    }
    for (Seed& seed : HandWrittenDocuments(typicalDocument)) {
        seed.name += ".xml";
        seeds.push_back(std::move(seed));
    }
    return seeds;
}

std::vector<Seed> RoundTripSeeds() {
    std::vector<Seed> seeds;
    for (const NamedRecord& record : Records200()) seeds.push_back({record.name, InputOf(record, record.record200)});
    return seeds;
}

}  // namespace

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
