// Round trips through the export: many generated 200 records, valid and hostile, exported
// to documents and imported back. The document's content must survive: the import gives
// back every field the document carries, and exporting that import gives the same document
// again, also after a real XML tool reformatted it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "export/schema_table.h"
#include "records/empty_record.h"
#include "records/meas_cond.h"
#include "records/missing_value.h"
#include "records/record200_layout.h"
#include "service/blob_dispatcher.h"
#include "support/scoped_program_data.h"

namespace audiogram {
namespace {

// The export's text rules read the process's configuration: keep it at its defaults here,
// whatever the machine holds.
[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new testing::IsolatedProcessConfiguration);

enum class Kind {
    Valid,    // every value is one the document carries exactly
    Hostile,  // invalid codes, missing values, points without data, illegal characters, lying counts
    Noise,    // random bytes
};

// Records of one kind, reproducible from the seed. Hostile records stay within what a
// document can carry back: the export itself loses some things for good, and those are
// left out here, each with its reason at the place.
class RecordGenerator {
public:
    RecordGenerator(Kind kind, std::uint32_t seed) : kind_(kind), random_(seed) {}

    Blob Next() {
        Blob record(record200::kSize);
        if (kind_ == Kind::Noise) {
            for (std::uint8_t& byte : record) byte = static_cast<std::uint8_t>(Int(0, 255));
            return record;
        }
        MakeEmptyRecord200(record);
        // The import fills a section's slots in document order, so the used curves stand
        // packed at the front of their section.
        for (const SectionLayout& section : record200::kCurveSections) {
            const auto used = Chance(2) ? 0 : Some(section.slots);
            for (std::size_t slot = 0; slot < used; ++slot) {
                Curve(MutableByteSpan(record).subspan(section.CurveOffset(slot), section.curve.size),
                      section.curve);
            }
        }
        Notes(MutableByteSpan(record).subspan(record200::kToneNotesOffset, record200::notes::kSize));
        Notes(MutableByteSpan(record).subspan(record200::kSpeechNotesOffset, record200::notes::kSize));
        for (std::size_t mask = 0; mask < record200::tone_average::kSize; mask += 2) {
            if (Chance(2))
                StoreU16(record, record200::kToneAverageOffset + mask,
                         static_cast<std::uint16_t>(Int(0, 0xFFFF)));
        }
        return record;
    }

private:
    bool Hostile() const { return kind_ == Kind::Hostile; }
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int oneIn) { return Int(1, oneIn) == 1; }
    // From 1 to `most`: mostly a few, now and then all.
    std::size_t Some(std::size_t most) {
        if (Chance(8)) return most;
        return static_cast<std::size_t>(Int(1, static_cast<int>(std::min<std::size_t>(most, 4))));
    }
    std::int16_t AnyValue() {
        return Chance(8) ? MissingValue : static_cast<std::int16_t>(Int(-32768, 32767));
    }
    std::int16_t PresentValue() {
        const auto value = static_cast<std::int16_t>(Int(-32768, 32767));
        return IsMissing(value) ? std::int16_t{0} : value;
    }
    std::int16_t NonNegative() { return static_cast<std::int16_t>(Int(0, 32767)); }
    std::int16_t WithData() {  // a first field that neither ends the points nor marks a point without data
        const std::int16_t value = PresentValue();
        return value == 0 ? std::int16_t{1000} : value;
    }
    std::int16_t Code(EnumTable table) {
        const auto entries = schema_.Enumeration(table);
        return static_cast<std::int16_t>(
            entries[static_cast<std::size_t>(Int(0, static_cast<int>(entries.size()) - 2))].code);
    }
    // An invalid code or a missing value, where the document carries back the default the
    // export writes for it; elsewhere a valid code.
    std::int16_t HostileCode(EnumTable table, bool missingComesBack) {
        if (!Hostile() || !Chance(4)) return Code(table);
        if (missingComesBack && Chance(2)) return MissingValue;
        return static_cast<std::int16_t>(Chance(2) ? Int(24, 32767) : Int(-32768, -1));
    }

    std::u16string Text(std::size_t capacity) {
        static constexpr char16_t kWider[] = {0x00E9, 0x00DF, 0x20AC, 0x4E2D, 0x0085,
                                              u'&',   u'<',   u'>',   u'"',   u'\''};
        static constexpr char16_t kIllegal[] = {0x01, 0x1F, 0x7F, 0xD800, 0xDC00, 0xFFFE, 0xFFFF, 0xFF78};
        std::u16string text;
        const int length = Int(0, static_cast<int>(capacity));
        for (int i = 0; i < length; ++i) {
            if (Hostile() && Chance(4)) {
                text += kIllegal[Int(0, std::size(kIllegal) - 1)];
            } else if (Chance(5)) {
                text += kWider[Int(0, std::size(kWider) - 1)];
            } else {
                // No blank in hostile texts: one left at the front once illegal characters are
                // dropped would be lost, since the parser drops leading whitespace. No blank
                // at the front of valid ones, for the same reason.
                const bool blankAllowed = !Hostile() && i > 0;
                text += static_cast<char16_t>(Int(blankAllowed ? 0x20 : 0x21, 0x7E));
            }
        }
        // A text of illegal characters only would leave an empty leaf, which imports as no text.
        if (Hostile() && !text.empty() && std::none_of(text.begin(), text.end(), [](char16_t unit) {
                return unit >= 0x21 && unit != 0x7F && unit < 0xD800;
            })) {
            text.back() = u'x';
        }
        return text;
    }

    // A text with its terminator and a true count; hostile counts may lie, which the export
    // answers by leaving the leaf out.
    void StoreText(MutableByteSpan area, CountedTextField field, std::u16string_view text, bool countMayLie) {
        WriteCountedText(area, field, text);
        if (countMayLie && Hostile() && Chance(6))
            StoreU16(area, field.offset, static_cast<std::uint16_t>(Int(0, 0xFFFF)));
    }

    void Curve(MutableByteSpan curve, const CurveLayout& layout) {
        Conditions(curve);
        const std::size_t points = Some(layout.pointCount);
        for (std::size_t index = 0; index < points; ++index) {
            Point(curve.subspan(layout.PointOffset(index), layout.PointSize()), layout.points);
        }
        // A hostile end mark amid the points: the export stops there.
        if (Hostile() && points > 2 && Chance(4))
            StoreI16(curve, layout.PointOffset(points / 2), MissingValue);
    }

    void Conditions(MutableByteSpan c) {
        using namespace meas_cond;
        // The stimulus signal type is never 1, so the imported curve is never in the default
        // state: a curve that only a lying text count set apart would vanish on the way back.
        std::int16_t signal = HostileCode(EnumTable::SignalType, true);
        if (signal == 1) signal = 2;
        StoreI16(c, kSignalType, signal);
        StoreI16(c, kSignalType + 2, HostileCode(EnumTable::SignalType, true));
        for (const auto& [offset, table] : {std::pair{kSignalOutput, EnumTable::SignalOutput},
                                            std::pair{kdBWeighting, EnumTable::dBWeighting}}) {
            StoreI16(c, offset, HostileCode(table, true));
            StoreI16(c, offset + 2, HostileCode(table, true));
        }
        // A missing presentation type is left out but comes back as 1, which is written.
        StoreI16(c, kPresentationType, HostileCode(EnumTable::PresentationType, false));
        StoreI16(c, kPresentationType + 2, HostileCode(EnumTable::PresentationType, false));
        // These leave out 1; an invalid code would come back as their first entry, 1, and be
        // left out then. A missing value is left out and comes back as 1.
        for (const auto& [offset, table] :
             {std::pair{kTransducerType, EnumTable::TransducerType},
              std::pair{kTransducerCalibrationStandard, EnumTable::CalibrationStandard},
              std::pair{kHearingInstrumentCondition, EnumTable::HearingInstrumentCondition}}) {
            StoreI16(c, offset, Hostile() && Chance(6) ? MissingValue : Code(table));
            StoreI16(c, offset + 2, Hostile() && Chance(6) ? MissingValue : Code(table));
        }
        StoreI16(c, kAuxiliary, HostileCode(EnumTable::AuxiliaryParameter, false));
        StoreI16(c, kAuxiliary + 2, HostileCode(EnumTable::AuxiliaryParameter, false));
        StoreI16(c, kSpeechThresholdType,
                 Hostile() && Chance(6) ? MissingValue : Code(EnumTable::SpeechThresholdType));
        for (const std::size_t offset :
             {kWarbleModulation, kWarbleModulationSize, kPulseModulation, kPulseCycle, kAmplitudeModulation,
              kFrequencyModulation, kOnTime, kOffTime, kSiSiParameter}) {
            StoreI16(c, offset, AnyValue());
            StoreI16(c, offset + 2, AnyValue());
        }
        for (const CountedTextField field : {kTransducerDescription, kHearingInstrumentDescription,
                                             kAuxiliaryParameterDescription, kWordListName}) {
            StoreText(c, field, Text(field.capacity), true);
        }
    }

    // Masking leaves follow a masking frequency: without one the level is not written.
    void Masking(MutableByteSpan p, std::size_t frequency, std::size_t level, bool levelMayBeMissing) {
        if (Chance(3)) {
            StoreI16(p, frequency, MissingValue);
            StoreI16(p, level, Hostile() ? AnyValue() : MissingValue);
        } else {
            StoreI16(p, frequency, PresentValue());
            StoreI16(p, level, levelMayBeMissing || Hostile() ? AnyValue() : PresentValue());
        }
    }

    std::int16_t Status(bool missingWritten) {
        if (Hostile() && Chance(4)) return Chance(2) ? MissingValue : static_cast<std::int16_t>(Int(24, 99));
        return !missingWritten && Chance(5) ? MissingValue : Code(EnumTable::PointStatus);
    }

    void Point(MutableByteSpan p, PointKind kind) {
        // A hostile point without data: the export drops it, so the document never had it.
        const bool withoutData = Hostile() && Chance(8);
        switch (kind) {
            case PointKind::Tone:
                StoreI16(p, tone_point::kStimulusFrequency, withoutData ? std::int16_t{0} : WithData());
                StoreI16(p, tone_point::kStimulusLevel, AnyValue());
                Masking(p, tone_point::kMaskingFrequency, tone_point::kMaskingLevel, true);
                StoreI16(p, tone_point::kTonePointStatus, Status(false));
                return;
            case PointKind::Speech:
                StoreI16(p, speech_point::kStimulusLevel, PresentValue());
                StoreI16(p, speech_point::kMaskingLevel, AnyValue());
                if (withoutData || (LoadI16(p, 0) == 0 && LoadI16(p, 2) == 0)) {
                    StoreI16(p, speech_point::kStimulusLevel,
                             withoutData ? std::int16_t{0} : std::int16_t{5});
                    StoreI16(p, speech_point::kMaskingLevel, 0);
                }
                StoreI16(p, speech_point::kScorePercent, Hostile() ? AnyValue() : NonNegative());
                StoreI16(p, speech_point::kNumberOfWords, AnyValue());
                return;
            case PointKind::Decay:
                StoreI16(p, decay_point::kStimulusFrequency, withoutData ? std::int16_t{0} : WithData());
                StoreI16(p, decay_point::kStimulusLevel, Hostile() ? AnyValue() : PresentValue());
                Masking(p, decay_point::kMaskingFrequency, decay_point::kMaskingLevel, false);
                StoreI16(p, decay_point::kStartTime, Hostile() ? AnyValue() : NonNegative());
                StoreI16(p, decay_point::kEndTime, Hostile() ? AnyValue() : NonNegative());
                return;
            case PointKind::DifferenceLimen:
                StoreI16(p, difference_limen_point::kStimulusFrequency,
                         withoutData ? std::int16_t{0} : WithData());
                StoreI16(p, difference_limen_point::kStimulusLevel, Hostile() ? AnyValue() : PresentValue());
                Masking(p, difference_limen_point::kMaskingFrequency, difference_limen_point::kMaskingLevel,
                        false);
                StoreI16(p, difference_limen_point::kModulationSize, Hostile() ? AnyValue() : PresentValue());
                StoreI16(p, difference_limen_point::kPointStatus, Status(true));
                return;
            case PointKind::SiSi:
                StoreI16(p, sisi_point::kStimulusFrequency, withoutData ? std::int16_t{0} : WithData());
                for (const std::size_t field :
                     {sisi_point::kStimulusLevel, sisi_point::kMaskingFrequency, sisi_point::kMaskingLevel,
                      sisi_point::kModulationSize, sisi_point::kNumberOfAnswers,
                      sisi_point::kNumberOfIncrements}) {
                    StoreI16(p, field, AnyValue());
                }
                return;
        }
    }

    std::u16string Calibration() {
        // Date-times the document carries as they are; hostile ones add bare dates (which the
        // export completes), zones in odd places and malformed dates (which it leaves out).
        static const std::u16string kValid[] = {u"2009-03-17T10:30:00", u"2004-12-31T23:59:59.1234",
                                                u"2009-03-17T10:30:00Z", u"1999-01-01T00:00:00"};
        static const std::u16string kHostile[] = {u"2009-03-17",   u"2009-03-17Z",
                                                  u"2009/03/17",   u"17-03-2009",
                                                  u"2009-03-1x",   u"2009-03-17T10:30:00-05:0",
                                                  u"20090317T1030"};
        if (Hostile() && Chance(2)) return kHostile[Int(0, std::size(kHostile) - 1)];
        return kValid[Int(0, std::size(kValid) - 1)];
    }

    void Notes(MutableByteSpan notes) {
        namespace n = record200::notes;
        if (Chance(3)) return;
        for (const CountedTextField field :
             {n::kAudiometerMakeModel, n::kAudiometerSerialNumber, n::kTestMethod, n::kTestReliability}) {
            std::u16string text = Text(field.capacity);
            // The leaf's text runs to the terminator whatever the count says: with a lying
            // count the text must hold something, or the leaf would come back as no text.
            if (text.empty() && Hostile()) text = u"x";
            StoreText(notes, field, text, true);
        }
        if (Chance(4)) return;
        const std::u16string date = Calibration();
        // A zone after a date-time that has a "Z" comes back inside the date part.
        static const std::u16string kZones[] = {u"", u"+01:00", u"-05:00"};
        const std::u16string zone = date.find(u'Z') == std::u16string::npos ? kZones[Int(0, 2)] : u"";
        StoreText(notes, n::kAudiometerLastCalibration, date, false);
        StoreText(notes, n::kAudiometerLastCalibrationTimeZone, zone, false);
        if (Hostile() && Chance(8))
            StoreU16(notes, n::kAudiometerLastCalibrationTimeZone.offset, 7);  // leaf left out
    }

    Kind kind_;
    std::mt19937 random_;
    AudiogramSchemaTable schema_;
};

std::string ToText(const Blob& bytes) {
    return {bytes.begin(), bytes.end()};
}

// Equal texts, or the first line where they differ.
::testing::AssertionResult SameLines(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string lineA;
    std::string lineE;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA && !moreE) return ::testing::AssertionSuccess();
        if (moreA != moreE || lineA != lineE) {
            return ::testing::AssertionFailure() << "line " << line << ": got \"" << (moreA ? lineA : "(end)")
                                                 << "\", expected \"" << (moreE ? lineE : "(end)") << '"';
        }
    }
}

// Equal records, or the first offset where they differ.
::testing::AssertionResult SameRecord(const Blob& actual, const Blob& expected) {
    if (actual.size() != expected.size()) return ::testing::AssertionFailure() << "size " << actual.size();
    const auto [a, e] = std::mismatch(actual.begin(), actual.end(), expected.begin());
    if (a == actual.end()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "first difference at byte " << (a - actual.begin()) << ": "
                                         << int{*a} << " instead of " << int{*e};
}

std::string Export(Blob record) {
    Blob document;
    EXPECT_EQ(ConvertDataBlob(kDataStandard500, kDataStandard200, record, document), kStatusOk);
    return ToText(document);
}

Blob Import(std::string document) {
    Blob record;
    MutableByteSpan bytes(reinterpret_cast<std::uint8_t*>(document.data()), document.size());
    EXPECT_EQ(ConvertDataBlob(kDataStandard200, kDataStandard500, bytes, record), kStatusOk);
    return record;
}

// The document without its comment lines: the export's notes about values it replaced,
// which a second export has nothing to say about.
std::string WithoutComments(const std::string& document) {
    std::istringstream lines(document);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        if (line.find_first_not_of('\t') != std::string::npos &&
            line.compare(line.find_first_not_of('\t'), 4, "<!--") == 0) {
            continue;
        }
        kept += line + "\n";
    }
    return kept;
}

// The documents after `xmllint --format`, which reindents them with LF line ends.
std::vector<std::string> Reformatted(const std::vector<std::string>& documents) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("import_round_trip_" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    std::string command = std::string(AUDCONV_XMLLINT) + " --format";
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const std::filesystem::path file = folder / ("document" + std::to_string(i) + ".xml");
        std::ofstream(file, std::ios::binary) << documents[i];
        command += " " + file.string();
    }
    const std::filesystem::path output = folder / "formatted.txt";
    const int status = std::system((command + " > " + output.string()).c_str());
    std::ifstream in(output, std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove_all(folder);
    if (status != 0) return {};

    // Every output document begins with the declaration, which no element text can hold.
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    std::vector<std::string> formatted;
    for (std::size_t at = all.find(declaration); at != std::string::npos;) {
        const std::size_t next = all.find(declaration, at + declaration.size());
        formatted.push_back(all.substr(at, next == std::string::npos ? std::string::npos : next - at));
        at = next;
    }
    return formatted;
}

constexpr int kRecordsPerKind = 150;
constexpr int kNoiseRecords = 20;  // each gives a document of about a megabyte

TEST(ImportRoundTripTest, ValidRecordsComeBackWholeAndExportTheSameDocument) {
    RecordGenerator generator(Kind::Valid, 20240601);
    std::vector<std::string> documents;
    for (int i = 0; i < kRecordsPerKind; ++i) {
        const Blob record = generator.Next();
        const std::string document = Export(record);
        const Blob imported = Import(document);
        ASSERT_TRUE(SameRecord(imported, record)) << "record " << i << "\n" << document;
        ASSERT_TRUE(SameLines(Export(imported), document)) << "record " << i;
        documents.push_back(document);
    }
    const std::vector<std::string> formatted = Reformatted(documents);
    ASSERT_EQ(formatted.size(), documents.size()) << "xmllint failed";
    for (std::size_t i = 0; i < documents.size(); ++i) {
        ASSERT_NE(formatted[i], documents[i]);
        ASSERT_TRUE(SameLines(Export(Import(formatted[i])), documents[i])) << "record " << i;
    }
}

TEST(ImportRoundTripTest, HostileRecordsExportTheSameDocumentButItsComments) {
    RecordGenerator generator(Kind::Hostile, 20240602);
    std::vector<std::string> documents;
    for (int i = 0; i < kRecordsPerKind; ++i) {
        const std::string document = Export(generator.Next());
        const Blob imported = Import(document);
        ASSERT_TRUE(SameLines(WithoutComments(Export(imported)), WithoutComments(document)))
            << "record " << i;
        documents.push_back(document);
    }
    const std::vector<std::string> formatted = Reformatted(documents);
    ASSERT_EQ(formatted.size(), documents.size()) << "xmllint failed";
    for (std::size_t i = 0; i < documents.size(); ++i) {
        ASSERT_TRUE(SameRecord(Import(formatted[i]), Import(documents[i]))) << "record " << i;
    }
}

// Random bytes lose whatever the export cannot carry on the first trip; from then on the
// document is a fixed point of export and import.
TEST(ImportRoundTripTest, NoiseRecordsReachAFixedPointAfterOneTrip) {
    RecordGenerator generator(Kind::Noise, 20240603);
    for (int i = 0; i < kNoiseRecords; ++i) {
        const std::string once = Export(Import(Export(generator.Next())));
        ASSERT_TRUE(SameLines(Export(Import(once)), once)) << "record " << i;
    }
}

}  // namespace
}  // namespace audiogram
