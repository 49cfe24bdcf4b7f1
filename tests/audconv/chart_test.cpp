// The audiogram chart: the customary symbol for each ear, route, masking and response,
// points at their coordinates, lines, legend, and a document that stays well-formed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/audiogram_chart.h"
#include "model/read_audiogram.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "frontend/svg_chart.h"
#include "xml_query.h"

namespace audiogram::frontend {
namespace {

using test::XmlQuery;

// Signal output and masking signal type codes as the record stores them.
constexpr std::int16_t kAirLeft = 2, kAirRight = 3, kAirBoth = 4, kBoneLeft = 5, kBoneRight = 6, kFieldBoth = 10,
                       kInsertRight = 12, kNoSignalOutput = 1;
constexpr std::int16_t kNoSignal = 1, kUnknownSignal = 0, kNarrowBandNoise = 4;
constexpr std::int16_t kNoResponse = 3, kDidNotTest = 5;

struct TonePoint {
    std::int16_t frequency;
    std::int16_t level;  // tenths
    std::int16_t maskingFrequency = MissingValue;
    std::int16_t maskingLevel = MissingValue;
    std::int16_t status = 1;
};

// Puts a tone curve in place: its stimulus signal output, masking signal type and points.
void AddCurve(Record200Builder& record, std::size_t slot, std::int16_t signalOutput,
              std::initializer_list<TonePoint> points, std::int16_t maskingSignalType = kNoSignal,
              Section section = Section::ToneThreshold) {
    CurveWriter curve = record.Curve(section, slot);
    curve.Pair(meas_cond::kSignalType, 2, maskingSignalType).Stimulus(meas_cond::kSignalOutput, signalOutput);
    std::size_t index = 0;
    for (const TonePoint& p : points) curve.Point(index++, {p.frequency, p.level, p.maskingFrequency, p.maskingLevel, p.status});
}

std::string Chart(const Record200Builder& record) { return RenderAudiogramSvg(CollectAudiogramChart(*model::ReadAudiogram(record.Bytes())), "chart"); }

const TonePoint kPlain{1000, 300};
const TonePoint kWithMasker{1000, 300, 1000, 600};
const TonePoint kNoResponsePoint{1000, 300, MissingValue, MissingValue, kNoResponse};

struct SymbolCase {
    const char* name;
    std::int16_t signalOutput, maskingSignalType;
    TonePoint point;
    std::vector<std::string> expected;  // the symbols drawn at the point, in order
    Section section = Section::ToneThreshold;
};

const SymbolCase kSymbolCases[] = {
    {"right air unmasked", kAirRight, kNoSignal, kPlain, {"#right-air-unmasked"}},
    {"left air unmasked", kAirLeft, kNoSignal, kPlain, {"#left-air-unmasked"}},
    {"right air masked", kAirRight, kNarrowBandNoise, kWithMasker, {"#right-air-masked"}},
    {"left air masked", kAirLeft, kNarrowBandNoise, kWithMasker, {"#left-air-masked"}},
    {"right bone unmasked", kBoneRight, kNoSignal, kPlain, {"#right-bone-unmasked"}},
    {"left bone unmasked", kBoneLeft, kNoSignal, kPlain, {"#left-bone-unmasked"}},
    {"right bone masked", kBoneRight, kNarrowBandNoise, kWithMasker, {"#right-bone-masked"}},
    {"left bone masked", kBoneLeft, kNarrowBandNoise, kWithMasker, {"#left-bone-masked"}},
    {"sound field", kFieldBoth, kNoSignal, kPlain, {"#both-field"}},
    {"insert phone is air conduction", kInsertRight, kNoSignal, kPlain, {"#right-air-unmasked"}},
    {"binaural air", kAirBoth, kNoSignal, kPlain, {"#both-air-unmasked"}},
    {"masker without signal is unmasked", kAirRight, kNoSignal, kWithMasker, {"#right-air-unmasked"}},
    {"unknown masking signal keeps the point's masker", kAirLeft, kUnknownSignal, kWithMasker, {"#left-air-masked"}},
    {"zero masker frequency is unmasked", kAirRight, kNarrowBandNoise, {1000, 300, 0, 0}, {"#right-air-unmasked"}},
    {"masking signal without masker is unmasked", kAirRight, kNarrowBandNoise, kPlain, {"#right-air-unmasked"}},
    {"no response right", kAirRight, kNoSignal, kNoResponsePoint, {"#right-air-unmasked", "#right-no-response"}},
    {"no response left bone", kBoneLeft, kNoSignal, kNoResponsePoint, {"#left-bone-unmasked", "#left-no-response"}},
    {"comfortable level", kAirRight, kNoSignal, kPlain, {"#right-mcl"}, Section::MostComfortableLevel},
    {"uncomfortable level", kAirLeft, kNoSignal, kPlain, {"#left-ucl"}, Section::UncomfortableLevel},
    {"no route is not drawn", kNoSignalOutput, kNoSignal, kPlain, {}},
    {"not tested is not drawn", kAirRight, kNoSignal, {1000, 300, MissingValue, MissingValue, kDidNotTest}, {}},
};

TEST(ChartSymbols, EachPointIsDrawnWithTheCustomarySymbol) {
    for (const SymbolCase& c : kSymbolCases) {
        Record200Builder record;
        AddCurve(record, 0, c.signalOutput, {c.point}, c.maskingSignalType, c.section);
        const std::string svg = Chart(record);
        const XmlQuery parsed(svg);
        ASSERT_TRUE(parsed.WellFormed()) << c.name << "\n" << svg;
        std::vector<std::string> symbols;
        for (const auto& use : parsed.Elements("//svg:g[@id='marks']/svg:use")) symbols.push_back(use.at("xlink:href"));
        EXPECT_EQ(symbols, c.expected) << c.name;
        for (const std::string& href : c.expected) {  // every symbol used is defined
            const std::string xpath = "//svg:defs/svg:g[@id='" + href.substr(1) + "']";
            EXPECT_EQ(parsed.Elements(xpath.c_str()).size(), 1u) << c.name << " " << href;
        }
    }
}

TEST(ChartCoordinates, OctavesAreEvenlySpacedAndLevelsGrowDownwards) {
    // The plot area starts at (80, 80); an octave is 80 units wide and 10 dB are 40 units high.
    const struct {
        std::int16_t frequency, levelTenths;
        const char *x, *y;
    } kPlacements[] = {
        {125, -100, "80.0", "80.0"},   {250, 0, "160.0", "120.0"},     {1000, 250, "320.0", "220.0"},
        {1000, 255, "320.0", "222.0"}, {750, 400, "286.8", "280.0"},   {3000, 650, "446.8", "380.0"},
        {8000, 1200, "560.0", "600.0"}, {6000, -55, "526.8", "98.0"},
    };
    Record200Builder record;
    std::size_t slot = 0;
    for (const auto& p : kPlacements) AddCurve(record, slot++, kAirRight, {{p.frequency, p.levelTenths}});
    const auto uses = XmlQuery(Chart(record)).Elements("//svg:g[@id='marks']/svg:use");
    ASSERT_EQ(uses.size(), std::size(kPlacements));
    for (std::size_t i = 0; i < uses.size(); ++i) {
        EXPECT_EQ(uses[i].at("x"), kPlacements[i].x) << kPlacements[i].frequency;
        EXPECT_EQ(uses[i].at("y"), kPlacements[i].y) << kPlacements[i].levelTenths;
    }
}

TEST(ChartCoordinates, GridAndLabelsCoverBothAxes) {
    const XmlQuery parsed(RenderAudiogramSvg({}, "x"));
    std::vector<std::string> levels;
    for (int level = -10; level <= 120; level += 10) levels.push_back(std::to_string(level));
    EXPECT_EQ(parsed.Texts("//svg:g[@id='axes']/svg:text[@text-anchor='end']"), levels);
    // a line every 10 dB and one per octave; the inter-octave lines are dashed and counted apart
    EXPECT_EQ(parsed.Elements("//svg:g[@id='grid']/svg:line[not(@class)]").size(), levels.size() + 7);
    EXPECT_EQ(parsed.Elements("//svg:g[@id='grid']/svg:line[@class='inter-octave']").size(), 4u);
}

// Points off the axes are counted, not drawn; so are unused slots, default conditions and
// points after the end mark.
TEST(ChartCoordinates, OnlyPointsOnTheAxesOfUsedCurvesAreDrawn) {
    Record200Builder record;
    AddCurve(record, 0, kAirRight, {{100, 200}, {12000, 200}, {1000, -110}, {1000, 1210}, {1000, MissingValue}, {2000, 200}});
    AddCurve(record, 4, kAirRight, {{500, 100}, {MissingValue, 0}, {1000, 200}});
    AddCurve(record, 5, kNoSignalOutput, {{500, 100}});
    record.Curve(Section::ToneThreshold, 5).Stimulus(meas_cond::kSignalType, 1);  // back to the default state
    const AudiogramChart chart = CollectAudiogramChart(*model::ReadAudiogram(record.Bytes()));
    EXPECT_EQ(chart.marks.size(), 2u);
    EXPECT_EQ(chart.offChart, 4u);
    EXPECT_EQ(chart.notTested, 1u);
    const auto notes = XmlQuery(RenderAudiogramSvg(chart, "x")).Texts("//svg:g[@id='legend']/svg:text[@class='note']");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], "4 points outside the chart's axes");
}

TEST(ChartLines, AirPointsOfOneCurveAreJoinedInFrequencyOrderWithoutNoResponses) {
    Record200Builder record;
    AddCurve(record, 0, kAirRight, {{2000, 300}, {500, 100}, {0, 999}, {1000, 200}, {8000, 900, MissingValue, MissingValue, kNoResponse}});
    AddCurve(record, 1, kBoneRight, {{500, 50}, {1000, 100}});
    AddCurve(record, 2, kAirLeft, {{500, 50}});
    AddCurve(record, 3, kAirLeft, {{1000, 50}, {2000, 50}});
    const auto lines = XmlQuery(Chart(record)).Elements("//svg:g[@id='lines']/svg:polyline");
    ASSERT_EQ(lines.size(), 2u);  // bone and single-point curves are not joined
    EXPECT_EQ(lines[0].at("points"), "240.0,160.0 320.0,200.0 400.0,240.0");
    EXPECT_EQ(lines[1].at("points"), "320.0,140.0 400.0,140.0");
    EXPECT_EQ(lines[1].at("class"), "air-line left");
}

TEST(ChartLegend, NamesEverySymbolShownOnce) {
    Record200Builder record;
    AddCurve(record, 0, kAirRight, {{500, 100}, {1000, 200, 1000, 500}}, kNarrowBandNoise);
    AddCurve(record, 1, kBoneLeft, {kNoResponsePoint});
    EXPECT_EQ(XmlQuery(Chart(record)).Texts("//svg:g[@id='legend']/svg:text"),
              (std::vector<std::string>{"Right ear, air, unmasked", "Right ear, air, masked", "Left ear, bone, unmasked",
                                        "No response"}));
}

// A right and a left level at one frequency must read "M M", not "MM": each ear's letter
// ends a gap short of the frequency line, on its own side.
TEST(ChartSymbols, LettersOfTheTwoEarsStandOnTheirOwnSideOfTheLine) {
    const struct {
        Section section;
        const char *id, *anchor, *x;
    } kLetters[] = {
        {Section::MostComfortableLevel, "right-mcl", "end", "-3.0"},
        {Section::MostComfortableLevel, "left-mcl", "start", "3.0"},
        {Section::UncomfortableLevel, "right-ucl", "end", "-3.0"},
        {Section::UncomfortableLevel, "left-ucl", "start", "3.0"},
    };
    Record200Builder record;
    AddCurve(record, 0, kAirRight, {kPlain}, kNoSignal, Section::MostComfortableLevel);
    AddCurve(record, 1, kAirLeft, {kPlain}, kNoSignal, Section::MostComfortableLevel);
    AddCurve(record, 0, kAirRight, {kPlain}, kNoSignal, Section::UncomfortableLevel);
    AddCurve(record, 1, kAirLeft, {kPlain}, kNoSignal, Section::UncomfortableLevel);
    const XmlQuery parsed(Chart(record));
    for (const auto& letter : kLetters) {
        const auto texts = parsed.Elements(("//svg:defs/svg:g[@id='" + std::string(letter.id) + "']/svg:text").c_str());
        ASSERT_EQ(texts.size(), 1u) << letter.id;
        EXPECT_EQ(texts[0].at("text-anchor"), letter.anchor) << letter.id;
        EXPECT_EQ(texts[0].at("x"), letter.x) << letter.id;
    }
    // in the legend a left-ear letter (up to 15 units from its point) keeps a gap before its words
    const auto uses = parsed.Elements("//svg:g[@id='legend']/svg:use[@xlink:href='#left-mcl']");
    const auto words = parsed.Elements("//svg:g[@id='legend']/svg:text[. = 'Left ear, most comfortable level']");
    ASSERT_EQ(uses.size(), 1u);
    ASSERT_EQ(words.size(), 1u);
    EXPECT_LE(std::stod(uses[0].at("x")) + 3 + 15 + 6, std::stod(words[0].at("x")));
}

// The legend's arrow reaches at most `reach` units to the right of where it is placed and
// keeps a clear gap before the words "No response".
TEST(ChartLegend, NoResponseArrowKeepsClearOfItsText) {
    const struct {
        std::int16_t signalOutput;
        const char* id;
        double reach;
    } kArrows[] = {{kAirRight, "#right-no-response", -5}, {kAirLeft, "#left-no-response", 13},
                   {kAirBoth, "#both-no-response", 4}};
    for (const auto& arrow : kArrows) {
        Record200Builder record;
        AddCurve(record, 0, arrow.signalOutput, {kNoResponsePoint});
        const XmlQuery parsed(Chart(record));
        const auto uses = parsed.Elements("//svg:g[@id='legend']/svg:use");
        ASSERT_EQ(uses.size(), 2u) << arrow.id;
        EXPECT_EQ(uses[1].at("xlink:href"), arrow.id);
        const auto words = parsed.Elements("//svg:g[@id='legend']/svg:text[. = 'No response']");
        ASSERT_EQ(words.size(), 1u);
        EXPECT_LE(std::stod(uses[1].at("x")) + arrow.reach + 6, std::stod(words[0].at("x"))) << arrow.id;
    }
}

TEST(ChartDocument, AnEmptyTitleDrawsNone) {
    const XmlQuery parsed(RenderAudiogramSvg({}, ""));
    ASSERT_TRUE(parsed.WellFormed());
    EXPECT_TRUE(parsed.Elements("/svg:svg/svg:title").empty());
    EXPECT_TRUE(parsed.Elements("/svg:svg/svg:text").empty());
    EXPECT_EQ(XmlQuery(RenderAudiogramSvg({}, "T")).Texts("/svg:svg/svg:text"), std::vector<std::string>{"T"});
}

TEST(ChartDocument, TitleWithMarkupAndBadBytesStaysWellFormed) {
    const std::string svg = RenderAudiogramSvg({}, "a<b & \"c\" \xff\xfe\x01 \xc3\xa9 \xed\xa0\x80");
    const XmlQuery parsed(svg);
    ASSERT_TRUE(parsed.WellFormed()) << svg;
    EXPECT_EQ(parsed.Texts("/svg:svg/svg:title")[0],
              "a<b & \"c\" \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD \xc3\xa9 \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(parsed.Texts("//svg:text[@class='note']"), std::vector<std::string>{"no tone audiogram in this record"});
    const auto root = parsed.Elements("/svg:svg");
    // a viewBox that matches the default size lets the chart scale to any container
    EXPECT_EQ(root[0].at("viewBox"), "0 0 " + root[0].at("width") + " " + root[0].at("height"));
}

}  // namespace
}  // namespace audiogram::frontend
