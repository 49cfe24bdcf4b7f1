#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audiogram_chart.h"
#include "record_builder/record_builder.h"
#include "records/meas_cond_layout.h"
#include "records/missing_value.h"
#include "svg_chart.h"
#include "xml_query.h"

namespace audiogram::tool {
namespace {

using test::XmlQuery;

struct TonePoint {
    std::int16_t frequency;
    std::int16_t level;  // tenths
    std::int16_t maskingFrequency = MissingValue;
    std::int16_t maskingLevel = MissingValue;
    std::int16_t status = 1;
};

// A record whose tone curves are put in place one by one: stimulus signal output, masking
// signal type and points.
class RecordBuilder {
public:
    RecordBuilder& ToneCurve(Section section, std::size_t slot, std::int16_t signalOutput,
                             std::int16_t maskingSignalType, std::initializer_list<TonePoint> points) {
        CurveWriter curve = record_.Curve(section, slot);
        curve.Pair(meas_cond::kSignalType, 2, maskingSignalType).Stimulus(meas_cond::kSignalOutput, signalOutput);
        std::size_t index = 0;
        for (const TonePoint& p : points) {
            curve.Point(index++, {p.frequency, p.level, p.maskingFrequency, p.maskingLevel, p.status});
        }
        return *this;
    }
    RecordBuilder& MeasCondField(Section section, std::size_t slot, std::size_t offset, std::int16_t value) {
        record_.Curve(section, slot).Stimulus(offset, value);
        return *this;
    }
    ByteSpan Bytes() const { return record_.Bytes(); }

private:
    Record200Builder record_;
};

// Signal output and masking signal type codes as the record stores them.
constexpr std::int16_t kAirLeft = 2, kAirRight = 3, kAirBoth = 4, kBoneLeft = 5, kBoneRight = 6, kFieldBoth = 10,
                       kInsertRight = 12, kNoSignalOutput = 1;
constexpr std::int16_t kNoSignal = 1, kUnknownSignal = 0, kNarrowBandNoise = 4;
constexpr std::int16_t kNoResponse = 3, kDidNotTest = 5;

std::string Chart(const RecordBuilder& record) {
    return RenderAudiogramSvg(CollectAudiogramChart(record.Bytes()), "chart");
}

std::vector<std::string> MarkSymbols(const XmlQuery& svg) {
    std::vector<std::string> symbols;
    for (const auto& use : svg.Elements("//svg:g[@id='marks']/svg:use")) symbols.push_back(use.at("xlink:href"));
    return symbols;
}

struct SymbolCase {
    const char* name;
    Section section;
    std::int16_t signalOutput;
    std::int16_t maskingSignalType;
    TonePoint point;
    std::vector<std::string> expected;  // the symbols drawn at the point, in order
};

const TonePoint kPlain{1000, 300};
const TonePoint kWithMasker{1000, 300, 1000, 600};
const TonePoint kNoResponsePoint{1000, 300, MissingValue, MissingValue, kNoResponse};

class ChartSymbols : public testing::TestWithParam<SymbolCase> {};

TEST_P(ChartSymbols, PointIsDrawnWithTheCustomarySymbol) {
    const SymbolCase& c = GetParam();
    RecordBuilder record;
    record.ToneCurve(c.section, 0, c.signalOutput, c.maskingSignalType, {c.point});
    const std::string svg = Chart(record);
    const XmlQuery parsed(svg);
    ASSERT_TRUE(parsed.WellFormed()) << svg;
    EXPECT_EQ(MarkSymbols(parsed), c.expected);
    for (const std::string& href : c.expected) {  // every symbol used is defined
        const std::string xpath = "//svg:defs/svg:g[@id='" + href.substr(1) + "']";
        EXPECT_EQ(parsed.Elements(xpath.c_str()).size(), 1u) << href;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EarRouteMaskingStatus, ChartSymbols,
    testing::Values(
        SymbolCase{"RightAirUnmasked", Section::ToneThreshold, kAirRight, kNoSignal, kPlain, {"#right-air-unmasked"}},
        SymbolCase{"LeftAirUnmasked", Section::ToneThreshold, kAirLeft, kNoSignal, kPlain, {"#left-air-unmasked"}},
        SymbolCase{"RightAirMasked", Section::ToneThreshold, kAirRight, kNarrowBandNoise, kWithMasker,
                   {"#right-air-masked"}},
        SymbolCase{"LeftAirMasked", Section::ToneThreshold, kAirLeft, kNarrowBandNoise, kWithMasker,
                   {"#left-air-masked"}},
        SymbolCase{"RightBoneUnmasked", Section::ToneThreshold, kBoneRight, kNoSignal, kPlain,
                   {"#right-bone-unmasked"}},
        SymbolCase{"LeftBoneUnmasked", Section::ToneThreshold, kBoneLeft, kNoSignal, kPlain, {"#left-bone-unmasked"}},
        SymbolCase{"RightBoneMasked", Section::ToneThreshold, kBoneRight, kNarrowBandNoise, kWithMasker,
                   {"#right-bone-masked"}},
        SymbolCase{"LeftBoneMasked", Section::ToneThreshold, kBoneLeft, kNarrowBandNoise, kWithMasker,
                   {"#left-bone-masked"}},
        SymbolCase{"SoundField", Section::ToneThreshold, kFieldBoth, kNoSignal, kPlain, {"#both-field"}},
        SymbolCase{"InsertPhoneIsAirConduction", Section::ToneThreshold, kInsertRight, kNoSignal, kPlain,
                   {"#right-air-unmasked"}},
        SymbolCase{"BinauralAir", Section::ToneThreshold, kAirBoth, kNoSignal, kPlain, {"#both-air-unmasked"}},
        SymbolCase{"MaskerWithoutSignalIsUnmasked", Section::ToneThreshold, kAirRight, kNoSignal, kWithMasker,
                   {"#right-air-unmasked"}},
        SymbolCase{"UnknownMaskingSignalKeepsThePointsMasker", Section::ToneThreshold, kAirLeft, kUnknownSignal,
                   kWithMasker, {"#left-air-masked"}},
        SymbolCase{"ZeroMaskerFrequencyIsUnmasked", Section::ToneThreshold, kAirRight, kNarrowBandNoise,
                   TonePoint{1000, 300, 0, 0}, {"#right-air-unmasked"}},
        SymbolCase{"MaskingSignalWithoutMaskerIsUnmasked", Section::ToneThreshold, kAirRight, kNarrowBandNoise,
                   kPlain, {"#right-air-unmasked"}},
        SymbolCase{"NoResponseRight", Section::ToneThreshold, kAirRight, kNoSignal, kNoResponsePoint,
                   {"#right-air-unmasked", "#right-no-response"}},
        SymbolCase{"NoResponseLeftBone", Section::ToneThreshold, kBoneLeft, kNoSignal, kNoResponsePoint,
                   {"#left-bone-unmasked", "#left-no-response"}},
        SymbolCase{"ComfortableLevel", Section::MostComfortableLevel, kAirRight, kNoSignal, kPlain, {"#right-mcl"}},
        SymbolCase{"UncomfortableLevel", Section::UncomfortableLevel, kAirLeft, kNoSignal, kPlain, {"#left-ucl"}},
        SymbolCase{"NoRouteIsNotDrawn", Section::ToneThreshold, kNoSignalOutput, kNoSignal, kPlain, {}},
        SymbolCase{"NotTestedIsNotDrawn", Section::ToneThreshold, kAirRight, kNoSignal,
                   TonePoint{1000, 300, MissingValue, MissingValue, kDidNotTest}, {}}),
    [](const testing::TestParamInfo<SymbolCase>& param) { return param.param.name; });

struct Placement {
    std::int16_t frequency;
    std::int16_t levelTenths;
    const char* x;
    const char* y;
};

TEST(ChartCoordinates, OctavesAreEvenlySpacedAndLevelsGrowDownwards) {
    // The plot area starts at (80, 80); an octave is 80 units wide and 10 dB are 40 units high.
    constexpr Placement kPlacements[] = {
        {125, -100, "80.0", "80.0"},   {250, 0, "160.0", "120.0"},    {1000, 250, "320.0", "220.0"},
        {1000, 255, "320.0", "222.0"}, {750, 400, "286.8", "280.0"},  {3000, 650, "446.8", "380.0"},
        {8000, 1200, "560.0", "600.0"}, {6000, -55, "526.8", "98.0"},
    };
    RecordBuilder record;
    std::size_t slot = 0;
    for (const Placement& p : kPlacements) record.ToneCurve(Section::ToneThreshold, slot++, kAirRight, kNoSignal, {{p.frequency, p.levelTenths}});
    const XmlQuery svg(Chart(record));
    const auto uses = svg.Elements("//svg:g[@id='marks']/svg:use");
    ASSERT_EQ(uses.size(), std::size(kPlacements));
    for (std::size_t i = 0; i < uses.size(); ++i) {
        EXPECT_EQ(uses[i].at("x"), kPlacements[i].x) << kPlacements[i].frequency;
        EXPECT_EQ(uses[i].at("y"), kPlacements[i].y) << kPlacements[i].levelTenths;
    }
}

TEST(ChartCoordinates, PointsOffTheAxesAreCountedNotDrawn) {
    RecordBuilder record;
    record.ToneCurve(Section::ToneThreshold, 0, kAirRight, kNoSignal,
                     {{100, 200}, {12000, 200}, {1000, -110}, {1000, 1210}, {1000, MissingValue}, {2000, 200}});
    const AudiogramChart chart = CollectAudiogramChart(record.Bytes());
    EXPECT_EQ(chart.marks.size(), 1u);
    EXPECT_EQ(chart.offChart, 4u);
    EXPECT_EQ(chart.notTested, 1u);
    const XmlQuery svg(RenderAudiogramSvg(chart, "x"));
    const auto notes = svg.Texts("//svg:g[@id='legend']/svg:text[@class='note']");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], "4 points outside the chart's axes");
}

TEST(ChartLines, AirPointsOfOneCurveAreJoinedInFrequencyOrderWithoutNoResponses) {
    RecordBuilder record;
    record.ToneCurve(Section::ToneThreshold, 0, kAirRight, kNoSignal,
                     {{2000, 300}, {500, 100}, {0, 999}, {1000, 200}, {8000, 900, MissingValue, MissingValue, kNoResponse}})
        .ToneCurve(Section::ToneThreshold, 1, kBoneRight, kNoSignal, {{500, 50}, {1000, 100}})
        .ToneCurve(Section::ToneThreshold, 2, kAirLeft, kNoSignal, {{500, 50}})
        .ToneCurve(Section::ToneThreshold, 3, kAirLeft, kNoSignal, {{1000, 50}, {2000, 50}});
    const XmlQuery svg(Chart(record));
    const auto lines = svg.Elements("//svg:g[@id='lines']/svg:polyline");
    ASSERT_EQ(lines.size(), 2u);  // bone and single-point curves are not joined
    EXPECT_EQ(lines[0].at("points"), "240.0,160.0 320.0,200.0 400.0,240.0");
    EXPECT_EQ(lines[1].at("points"), "320.0,140.0 400.0,140.0");
    EXPECT_EQ(lines[1].at("class"), "air-line left");
}

TEST(ChartCurves, UnusedSlotsAndPointsAfterTheEndMarkAreIgnored) {
    RecordBuilder record;
    record.ToneCurve(Section::ToneThreshold, 4, kAirRight, kNoSignal, {{500, 100}, {MissingValue, 0}, {1000, 200}});
    // points in a slot whose measurement conditions are in the default state
    record.ToneCurve(Section::ToneThreshold, 5, kNoSignalOutput, kNoSignal, {{500, 100}});
    record.MeasCondField(Section::ToneThreshold, 5, meas_cond::kSignalType, 1);
    EXPECT_EQ(CollectAudiogramChart(record.Bytes()).marks.size(), 1u);
}

TEST(ChartLegend, NamesEverySymbolShownOnce) {
    RecordBuilder record;
    record.ToneCurve(Section::ToneThreshold, 0, kAirRight, kNarrowBandNoise, {{500, 100}, {1000, 200, 1000, 500}})
        .ToneCurve(Section::ToneThreshold, 1, kBoneLeft, kNoSignal, {kNoResponsePoint});
    const XmlQuery svg(Chart(record));
    const auto texts = svg.Texts("//svg:g[@id='legend']/svg:text");
    EXPECT_EQ(texts, (std::vector<std::string>{"Right ear, air, unmasked", "Right ear, air, masked",
                                               "Left ear, bone, unmasked", "No response"}));
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
}  // namespace audiogram::tool
