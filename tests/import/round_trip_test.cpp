// Round trips through export and import over generated 200 records. Valid records come
// back whole and export the same document again. Hostile ones (invalid codes, missing
// values, illegal characters, lying counts) export the same document but its comments.
// Records of random bytes lose what a document cannot carry on the first trip and then
// stay put. Every document also imports the same after libxml2 wrote it again, which
// checks on the way that it is well-formed.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "schema/schema_table.h"
#include "import_test_support.h"
#include "records/empty_record.h"
#include "records/missing_value.h"
#include "support/golden.h"
#include "support/scoped_program_data.h"
#include "well_formed_xml.h"

namespace audiogram::testing {
namespace {

// For every test of this program: the dispatcher's text rules read the process's
// configuration, which stays at its defaults here whatever the machine holds.
[[maybe_unused]] auto* const kIsolated = ::testing::AddGlobalTestEnvironment(new IsolatedProcessConfiguration);

constexpr std::int16_t M = MissingValue;

enum class Kind { Valid, Hostile, Noise };

// A coded condition, and how a hostile record may spoil it so that the document still
// carries back what the export wrote for it.
struct CodedCondition {
    std::size_t offset;
    EnumTable table;
    bool pair;
    bool invalid;  // the export writes the default, which reads back as itself
    bool missing;  // written as the default, or left out and read back as the empty record's 1
};
constexpr CodedCondition kCodedConditions[] = {
    {meas_cond::kSignalType, EnumTable::SignalType, true, true, true},
    {meas_cond::kSignalOutput, EnumTable::SignalOutput, true, true, true},
    {meas_cond::kdBWeighting, EnumTable::dBWeighting, true, true, true},
    {meas_cond::kPresentationType, EnumTable::PresentationType, true, true, false},
    {meas_cond::kAuxiliary, EnumTable::AuxiliaryParameter, true, true, false},
    {meas_cond::kTransducerType, EnumTable::TransducerType, true, false, true},
    {meas_cond::kTransducerCalibrationStandard, EnumTable::CalibrationStandard, true, false, true},
    {meas_cond::kHearingInstrumentCondition, EnumTable::HearingInstrumentCondition, true, false, true},
    {meas_cond::kSpeechThresholdType, EnumTable::SpeechThresholdType, false, false, true},
};

// Records of one kind, reproducible from the seed. Hostile records keep to what a document
// can carry back: what the export loses for good is left out, each with its reason.
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
        // The import fills a section's slots in document order: used curves stand at the front.
        for (const SectionLayout& section : record200::kCurveSections) {
            for (std::size_t slot = 0, used = Chance(2) ? 0 : Some(section.slots); slot < used; ++slot) {
                Curve(MutableByteSpan(record).subspan(section.CurveOffset(slot)), section.curve);
            }
        }
        for (const std::size_t notes : {record200::kToneNotesOffset, record200::kSpeechNotesOffset}) {
            if (!Chance(3)) Notes(MutableByteSpan(record).subspan(notes, record200::notes::kSize));
        }
        for (std::size_t mask = 0; mask < record200::tone_average::kSize; mask += 2) {
            const auto bits = static_cast<std::uint16_t>(Chance(2) ? Int(0, 0xFFFF) : 0);
            StoreU16(record, record200::kToneAverageOffset + mask, bits);
        }
        return record;
    }

private:
    bool Hostile() const { return kind_ == Kind::Hostile; }
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool Chance(int oneIn) { return Int(1, oneIn) == 1; }
    std::size_t Some(std::size_t most) {  // 1 to `most`: mostly a few, now and then all
        return Chance(8) ? most : static_cast<std::size_t>(Int(1, std::min(static_cast<int>(most), 4)));
    }
    std::int16_t Any() { return Chance(8) ? M : static_cast<std::int16_t>(Int(-32768, 32767)); }
    std::int16_t Present() {
        const auto value = static_cast<std::int16_t>(Int(-32768, 32767));
        return IsMissing(value) ? std::int16_t{0} : value;
    }
    // Where the export writes a replacement for a missing or negative value, only hostile
    // records hold one.
    std::int16_t PresentUnlessHostile() { return Hostile() ? Any() : Present(); }
    std::int16_t NotNegativeUnlessHostile() {
        return Hostile() ? Any() : static_cast<std::int16_t>(Int(0, 32767));
    }
    std::int16_t Code(EnumTable table) {
        const auto entries = schema_.Enumeration(table);  // the last entry is the end mark
        const int index = Int(0, static_cast<int>(entries.size()) - 2);
        return static_cast<std::int16_t>(entries[static_cast<std::size_t>(index)].code);
    }

    std::u16string Text(std::size_t capacity) {
        static constexpr char16_t kWider[] = {0xE9, 0xDF, 0x20AC, 0x4E2D, 0x85, u'&',
                                              u'<',  u'>',  u'"',    u'\'',   u'-'};
        static constexpr char16_t kIllegal[] = {0x01, 0x1F, 0x7F, 0xD800, 0xDC00, 0xFFFE, 0xFFFF, 0xFF78};
        std::u16string text;
        for (int i = Int(0, static_cast<int>(capacity)); i > 0; --i) {
            if (Hostile() && Chance(4)) {
                text += kIllegal[Int(0, std::size(kIllegal) - 1)];
            } else if (Chance(5)) {
                text += kWider[Int(0, std::size(kWider) - 1)];
            } else {
                // The parser drops leading whitespace, so no text begins with a blank; hostile
                // texts have none at all, as dropped illegal characters may put one in front.
                text += static_cast<char16_t>(Int(!Hostile() && !text.empty() ? 0x20 : 0x21, 0x7E));
            }
        }
        // A text of illegal characters only would leave an empty leaf, which imports as no text.
        const auto legal = [](char16_t unit) { return unit > 0x20 && unit != 0x7F && unit < 0xD800; };
        if (Hostile() && !text.empty() && std::none_of(text.begin(), text.end(), legal)) text.back() = u'x';
        return text;
    }

    // A text with its terminator and a true count, which in hostile records may lie: the
    // export answers that by leaving the leaf out.
    void PutText(MutableByteSpan area, CountedTextField field, std::u16string_view text, bool countMayLie) {
        WriteCountedText(area, field, text);
        if (countMayLie && Hostile() && Chance(6)) {
            StoreU16(area, field.offset, static_cast<std::uint16_t>(Int(0, 0xFFFF)));
        }
    }

    void Curve(MutableByteSpan curve, const CurveLayout& layout) {
        Conditions(curve);
        const std::size_t points = Some(layout.pointCount);
        for (std::size_t i = 0; i < points; ++i) Point(curve.subspan(layout.PointOffset(i)), layout.points);
        // A hostile end mark amid the points: the export stops there.
        if (Hostile() && points > 2 && Chance(4)) StoreI16(curve, layout.PointOffset(points / 2), M);
    }

    void Conditions(MutableByteSpan c) {
        using namespace meas_cond;
        for (const CodedCondition& row : kCodedConditions) {
            for (std::size_t offset = row.offset; offset <= row.offset + (row.pair ? 2 : 0); offset += 2) {
                std::int16_t value = Code(row.table);
                if (Hostile() && Chance(4)) {
                    const bool missing = row.missing && (!row.invalid || Chance(2));
                    const int invalid = Chance(2) ? Int(24, 32767) : Int(-32768, -1);
                    if (missing || row.invalid) value = missing ? M : static_cast<std::int16_t>(invalid);
                }
                StoreI16(c, offset, value);
            }
        }
        // Never 1, so the imported curve is never in the default state: a curve that only a
        // lying text count set apart would vanish on the way back.
        if (LoadI16(c, kSignalType) == 1) StoreI16(c, kSignalType, 2);
        for (const std::size_t offset : {kWarbleModulation, kWarbleModulationSize, kPulseModulation,
                                         kPulseCycle, kAmplitudeModulation, kFrequencyModulation, kOnTime,
                                         kOffTime, kSiSiParameter}) {
            StoreI16(c, offset, Any());
            StoreI16(c, offset + 2, Any());
        }
        for (const CountedTextField field : {kTransducerDescription, kHearingInstrumentDescription,
                                             kAuxiliaryParameterDescription, kWordListName}) {
            PutText(c, field, Text(field.capacity), true);
        }
    }

    // Hostile statuses are missing or invalid; valid ones may be missing where that is left out.
    std::int16_t Status(bool missingWritten) {
        if (Hostile() && Chance(4)) return Chance(2) ? M : static_cast<std::int16_t>(Int(24, 99));
        return !missingWritten && Chance(5) ? M : Code(EnumTable::PointStatus);
    }

    // The fields of each point layout in order. F: the first field, with data; A: anything;
    // P: present, and N: not negative, unless hostile; M: a masking frequency and its level,
    // which without the frequency is not written (m: the level may be missing); S: a status
    // (s: a missing one is left out); L: the two levels of a speech point.
    static std::string_view FieldsOf(PointKind kind) {
        switch (kind) {
            case PointKind::Tone: return "FAms";
            case PointKind::Speech: return "LNA";
            case PointKind::Decay: return "FPMNN";
            case PointKind::DifferenceLimen: return "FPMPS";
            case PointKind::SiSi: return "FAAAAAA";  // written as stored, missing values too
        }
        return "";
    }

    void Point(MutableByteSpan p, PointKind kind) {
        // A hostile point without data: the export drops it, so the document never had it.
        const bool withoutData = Hostile() && Chance(8);
        std::size_t at = 0;
        const auto put = [&](int value) {
            StoreI16(p, std::exchange(at, at + 2), static_cast<std::int16_t>(value));
        };
        for (const char field : FieldsOf(kind)) {
            const std::int16_t present = Present(), any = Any();
            const bool none = Chance(3);
            switch (field) {
                case 'F': put(withoutData ? 0 : present == 0 ? 1000 : present); break;
                case 'A': put(any); break;
                case 'P': put(PresentUnlessHostile()); break;
                case 'N': put(NotNegativeUnlessHostile()); break;
                case 'S': case 's': put(Status(field == 'S')); break;
                case 'M': case 'm':
                    put(none ? M : present);
                    put(none ? (Hostile() ? any : M) : field == 'm' ? any : PresentUnlessHostile());
                    break;
                case 'L': {  // both levels 0 mark a point without data too
                    const bool bothZero = withoutData || (present == 0 && any == 0);
                    put(!bothZero ? present : withoutData ? 0 : 5);
                    put(bothZero ? 0 : any);
                    break;
                }
            }
        }
    }

    void Notes(MutableByteSpan notes) {
        namespace n = record200::notes;
        for (const CountedTextField field :
             {n::kAudiometerMakeModel, n::kAudiometerSerialNumber, n::kTestMethod, n::kTestReliability}) {
            // The leaf's text runs to the terminator whatever the count says: with a lying
            // count the text must hold something, or the leaf would come back as no text.
            const std::u16string text = Text(field.capacity);
            PutText(notes, field, text.empty() && Hostile() ? u"x" : text, true);
        }
        if (Chance(4)) return;
        // Date-times the document carries as they are; hostile ones add bare dates (which the
        // export completes), zones in odd places and malformed dates (which it leaves out).
        static const std::u16string kValid[] = {u"2009-03-17T10:30:00", u"2004-12-31T23:59:59.1234",
                                                u"2009-03-17T10:30:00Z", u"1999-01-01T00:00:00"};
        static const std::u16string kHostile[] = {
            u"2009-03-17",    u"2009-03-17Z", u"2009/03/17",  u"17-03-2009", u"2009-03-1x",
            u"20090317T1030", u"2009--03-17", u"2009-0\x01-17", u"2009-03-17T10:30:00-05:0"};
        const std::u16string date = Hostile() && Chance(2) ? kHostile[Int(0, std::size(kHostile) - 1)]
                                                           : kValid[Int(0, std::size(kValid) - 1)];
        // A zone after a date-time that has a "Z" would come back inside the date part.
        static const std::u16string kZones[] = {u"", u"+01:00", u"-05:00"};
        PutText(notes, n::kAudiometerLastCalibration, date, false);
        const std::u16string zone = date.ends_with(u'Z') ? u"" : kZones[Int(0, 2)];
        PutText(notes, n::kAudiometerLastCalibrationTimeZone, zone, false);
        // A zone count beyond the field: the export leaves the whole date-time out.
        if (Hostile() && Chance(8)) StoreU16(notes, n::kAudiometerLastCalibrationTimeZone.offset, 7);
    }

    Kind kind_;
    std::mt19937 random_;
    AudiogramSchemaTable schema_;
};

// The document without its comment lines, the export's notes about values it replaced.
std::string WithoutComments(const std::string& document) {
    std::istringstream lines(document);
    std::string kept;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t start = line.find_first_not_of('\t');
        if (start == std::string::npos || line.compare(start, 4, "<!--") != 0) kept += line + "\n";
    }
    return kept;
}

// The document with the line end and blanks between one line's last tag and the next line's
// first tag replaced by a run of random length and kind (none, tabs, spaces, CR LF), so that
// lines at one depth are indented unlike their neighbours: the reader must not take a line's
// indentation from the one before. Lines inside element text stay as they are.
std::string Reindented(const std::string& document, std::mt19937& random) {
    static constexpr std::string_view kBlanks[] = {"\t", " ", "\r\n", "\n", "\t\t\t\t"};
    std::istringstream lines(document);
    std::string out;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t first = line.find_first_not_of(" \t\r");
        const bool betweenTags =
            !out.empty() && out.back() == '>' && first != std::string::npos && line[first] == '<';
        if (!betweenTags) {
            if (!out.empty()) out += '\n';
            out += line;
            continue;
        }
        for (auto blanks = random() % 6; blanks > 0; --blanks) out += kBlanks[random() % std::size(kBlanks)];
        out += std::string_view(line).substr(first);
    }
    return out;
}

TEST(ImportRoundTrip, GeneratedRecordsKeepTheirDocuments) {
    std::mt19937 random(7);
    const std::pair<Kind, int> kinds[] = {{Kind::Valid, 150}, {Kind::Hostile, 150}, {Kind::Noise, 20}};
    for (const auto& [kind, records] : kinds) {
        RecordGenerator generator(kind, 20240601 + static_cast<std::uint32_t>(kind));
        for (int i = 0; i < records; ++i) {
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(kind)) + ", record " + std::to_string(i));
            const Blob record = generator.Next();
            const std::string document = Export(record);
            const Blob back = Import(document).value();
            const std::string again = Export(back);
            if (kind == Kind::Valid) {
                ASSERT_TRUE(SameBytes(back, record));
                ASSERT_TRUE(SameText(again, document));
            } else if (kind == Kind::Hostile) {
                ASSERT_TRUE(SameText(again, WithoutComments(document)));
            } else {
                ASSERT_TRUE(SameText(Export(Import(again).value()), again));
            }
            // Written again with LF line ends by a real XML tool, which also finds it well-formed.
            const std::string formatted = ReindentedByLibxml2(document);
            ASSERT_NE(formatted, "") << WellFormednessProblem(document);
            ASSERT_TRUE(SameBytes(Import(formatted).value(), back));
            ASSERT_TRUE(SameBytes(Import(Reindented(document, random)).value(), back));
        }
    }
}

}  // namespace
}  // namespace audiogram::testing
