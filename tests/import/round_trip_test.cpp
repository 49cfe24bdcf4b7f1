// Round trips through export and import, driven by the field rows: every field of every
// section is set to its edge values in a record with two used curves of two points each,
// exported and imported again. Values the document carries come back byte for byte; the
// others are replaced by the export, and the replacement reads back as itself, so the
// document exported again is the first one without its comments. What does not survive:
// - missing numbers the export fills in (default, 0) and missing or 0 point keys (the point
//   goes), negative values of rows that take the magnitude or 0, codes no table has;
// - a missing value the export leaves out that is not the empty record's (the coded
//   conditions' 1), and a missing masking frequency, which takes its masking level along;
// - texts whose count lies or that hold characters a document cannot, bare or malformed
//   calibration dates.
// Every document also imports the same after libxml2 wrote it again, indented its own way.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "document_test_support.h"
#include "records/empty_record.h"
#include "records/missing_value.h"
#include "schema/section_rows.h"
#include "support/golden.h"
#include "support/scoped_program_data.h"
#include "well_formed_xml.h"

namespace audiogram::testing {
namespace {

// For every test of this program: the dispatcher's text rules read the process's
// configuration, which stays at its defaults here whatever the machine holds.
[[maybe_unused]] auto* const kIsolated =
    ::testing::AddGlobalTestEnvironment(new IsolatedProcessConfiguration);

constexpr std::int16_t M = MissingValue;
const AudiogramSchemaTable kSchema;

bool IsCode(EnumTable table, std::int32_t value) {
    const auto entries = kSchema.Enumeration(table);  // the last entry is the end mark
    return std::any_of(entries.begin(), entries.end() - 1,
                       [&](const SchemaEntry& e) { return e.code == value; });
}

// Kept: the value comes back as stored. Replaced: the export writes something else, which
// reads back as itself. Lost: the export leaves the value out and the import puts the empty
// record's value, which the export writes.
enum class Outcome { Kept, Replaced, Lost };

// What becomes of a number, `empty` being the empty record's value there.
Outcome OutcomeOf(const FieldRow& row, std::int16_t value, std::int16_t empty, bool nextNeedsIt) {
    using enum ExportRule;
    using enum Outcome;
    const bool leftOut = (value == M && (row.rule == WhenPresent || row.rule == WhenPresentNotOne)) ||
                         (value == 1 && row.rule == WhenPresentNotOne);
    if (leftOut) return value != empty ? Lost : nextNeedsIt ? Replaced : Kept;
    // An invalid code of a row that leaves 1 out is written as the code 1, which is then left out.
    if (row.form == FieldForm::Enumeration) {
        return IsCode(row.table, value) ? Kept : row.rule == WhenPresentNotOne ? Lost : Replaced;
    }
    if (row.rule == AsStored || row.form == FieldForm::FrequencyMask) return Kept;
    if (value == M || (row.rule == PointKey && value == 0)) return Replaced;
    const bool magnitudeOrZero =
        row.rule == MagnitudeOrZero || row.rule == NonNegativeOrZero || row.rule == NonNegativeOrAllZero;
    // The magnitude of -32768 is written as 327.68 (at scale 100), which reads back as -32768.
    if (value == -32768 && row.rule == MagnitudeOrZero) return Lost;
    return value < 0 && magnitudeOrZero ? Replaced : Kept;
}

struct Trial {
    std::string what;
    Outcome outcome;
    std::function<void(MutableByteSpan)> put;  // into the row's structure
};

std::vector<Trial> TrialsOf(const FieldRow& row, std::int16_t empty, bool nextNeedsIt) {
    std::vector<Trial> trials;
    using enum Outcome;
    const auto text = [&](std::u16string units, std::uint16_t count, Outcome outcome) {
        trials.push_back({Shown(units) + " counted " + std::to_string(count), outcome,
                          [=](MutableByteSpan area) { StoreText(area, row.Text(), units, count); }});
    };
    if (row.form == FieldForm::Text) {
        const std::u16string wide =
            std::u16string(u"A&B<\"C\">'-\u00E9\u20AC\u4E2D\u0085").substr(0, row.capacity);
        text(u"", 0, Kept);
        text(wide, static_cast<std::uint16_t>(wide.size()), Kept);
        text(std::u16string(row.capacity, u'x'), static_cast<std::uint16_t>(row.capacity), Kept);
        text(u"abc", static_cast<std::uint16_t>(row.capacity + 1), Replaced);  // count out of range
        text(u"abc", 2, Replaced);                                             // count disagrees
        text(
            u"a\x01\xD800\xFFFE"
            u"b",
            5, Replaced);
        // Without a terminator the export writes the unit after the capacity too; the import cuts it.
        text(std::u16string(row.Text().UnitSlots(), u'y'), static_cast<std::uint16_t>(row.capacity), Lost);
        return trials;
    }
    if (row.form == FieldForm::CalibrationDate) {
        const CountedTextField zone = record200::notes::kAudiometerLastCalibrationTimeZone;
        // A bare date is completed; a malformed one, or one whose zone count lies, is left out,
        // and the notes without it may be empty.
        const struct {
            std::u16string date, zone;
            std::uint16_t zoneCount;
            Outcome outcome;
        } dates[] = {{u"2009-03-17T10:30:00", u"", 0, Kept},
                     {u"2004-12-31T23:59:59.1234", u"+01:00", 6, Kept},
                     {u"2009-03-17T10:30:00Z", u"", 0, Kept},
                     {u"2009-03-17", u"-05:00", 6, Replaced},
                     {u"2009/03/17", u"", 0, Lost},
                     {u"2009-0\x01-17", u"", 0, Lost},
                     {u"2009-03-17T10:30:00", u"+01:00", 7, Lost}};
        for (const auto& d : dates) {
            trials.push_back({Shown(d.date + d.zone), d.outcome, [=](MutableByteSpan area) {
                                  WriteCountedText(area, row.Text(), d.date);
                                  StoreText(area, zone, d.zone, d.zoneCount);
                              }});
        }
        return trials;
    }
    std::vector<std::int16_t> values = {M, -32768, -1, 0, 1, 2, 32767};
    if (row.form == FieldForm::Enumeration) {
        for (const SchemaEntry& entry : kSchema.Enumeration(row.table))
            values.push_back(static_cast<std::int16_t>(entry.code));
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    for (const std::int16_t value : values) {
        trials.push_back({std::to_string(value), OutcomeOf(row, value, empty, nextNeedsIt),
                          [=](MutableByteSpan area) { StoreI16(area, row.offset, value); }});
    }
    return trials;
}

// The empty record with the first two curves of every section used (or its one), each with
// two points (or its one) whose fields hold plain values.
Blob BaseRecord() {
    Blob record(record200::kSize);
    MakeEmptyRecord200(record);
    for (const SectionRow& section : kSectionRows) {
        for (std::size_t slot = 0;
             section.kind == SectionKind::Curves && slot < std::min<std::size_t>(section.slots, 2); ++slot) {
            const MutableByteSpan curve = MutableByteSpan(record).subspan(section.CurveOffset(slot));
            // Both signal types, so that no single field brings the conditions back to their
            // default state, which would leave the curve unused.
            StoreI16(curve, meas_cond::kSignalType, 2);
            StoreI16(curve, meas_cond::kSignalType + meas_cond::kPairEntrySize, 2);
            for (std::size_t point = 0; point < std::min<std::size_t>(section.curve.pointCount, 2); ++point) {
                for (const FieldRow& row : section.pointFields) {
                    const bool coded = row.form == FieldForm::Enumeration;
                    StoreI16(
                        curve.subspan(section.curve.PointOffset(point)), row.offset,
                        static_cast<std::int16_t>(coded ? kSchema.Enumeration(row.table)[1].code : 1000));
                }
            }
        }
    }
    return record;
}

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

// The record back from its document, which imports the same however it is indented.
Blob Imported(const std::string& document) {
    const Blob back = Import(document).value();
    const std::string formatted = ReindentedByLibxml2(document);
    EXPECT_NE(formatted, "") << WellFormednessProblem(document);
    EXPECT_TRUE(SameBytes(Import(formatted).value(), back));
    return back;
}

// The lines of `document` that differ from those of `base`, without their line ends.
std::string Changed(const std::string& base, const std::string& document) {
    std::vector<std::string> lines[2];
    for (int i : {0, 1}) {
        std::istringstream text(i == 0 ? base : document);
        for (std::string line; std::getline(text, line);) lines[i].push_back(line.substr(0, line.find('\r')));
    }
    const auto [b, d] = std::mismatch(lines[0].begin(), lines[0].end(), lines[1].begin(), lines[1].end());
    const auto [rb, rd] = std::mismatch(lines[0].rbegin(), std::make_reverse_iterator(b), lines[1].rbegin(),
                                        std::make_reverse_iterator(d));
    std::string changed;
    for (auto line = d; line != rd.base(); ++line) changed += *line + "\n";
    return changed;
}

// The conditions are walked in the first curve section only: every curve has them alike.
// What each trial writes, as the lines it changes in the document, is in golden/fields.txt.
TEST(ImportRoundTrip, EveryFieldKeepsWhatItsDocumentCarries) {
    const Blob base = BaseRecord();
    const std::string baseDocument = Export(base);
    std::string written = "== every section used\n" + Changed("", baseDocument);
    for (const SectionRow& section : kSectionRows) {
        const bool curves = section.kind == SectionKind::Curves;
        const std::size_t slot = std::min<std::size_t>(section.slots, 2) - 1;
        const std::size_t point =
            curves ? section.curve.PointOffset(std::min<std::size_t>(section.curve.pointCount, 2) - 1) : 0;
        const bool conditions = curves && section.section == Section::ToneThreshold;
        const std::pair<std::span<const FieldRow>, std::size_t> sets[] = {
            {conditions ? std::span<const FieldRow>(kMeasurementConditionFields) : section.fields, 0},
            {section.pointFields, point}};
        for (const auto& [rows, at] : sets) {
            const std::size_t area = (curves ? section.CurveOffset(slot) : section.offset) + at;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const FieldRow& row = rows[i];
                const bool nextNeedsIt = i + 1 < rows.size() && rows[i + 1].needsRowBefore;
                for (const Trial& trial : TrialsOf(row, LoadI16(base, area + row.offset), nextNeedsIt)) {
                    const std::string what =
                        std::string(section.name) + " " + std::string(row.name) + " = " + trial.what;
                    SCOPED_TRACE(what);
                    Blob record = base;
                    trial.put(MutableByteSpan(record).subspan(area));
                    const std::string document = Export(record);
                    written += "== " + what + "\n" + Changed(baseDocument, document);
                    const Blob back = Imported(document);
                    if (trial.outcome == Outcome::Kept) {
                        ASSERT_TRUE(SameBytes(back, record));
                    }
                    const std::string again = Export(back);
                    if (trial.outcome == Outcome::Lost) {
                        ASSERT_TRUE(SameText(Export(Import(again).value()), again));
                    } else {
                        ASSERT_TRUE(SameText(again, WithoutComments(document)));
                    }
                }
            }
        }
    }
    EXPECT_TRUE(MatchesGolden("fields.txt", written));
}

}  // namespace
}  // namespace audiogram::testing
