#include "frontend/svg_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

#include "model/signal_route.h"
#include "frontend/text_safety.h"

namespace audiogram::frontend {
namespace {

constexpr double kLegendLeft = ChartGeometry::kPlotLeft + ChartGeometry::kPlotWidth + 40;
constexpr double kWidth = kLegendLeft + 240;
constexpr double kHeight = ChartGeometry::kPlotTop + ChartGeometry::kPlotHeight + 40;

constexpr std::array kOctaves = {125, 250, 500, 1000, 2000, 4000, 8000};
constexpr std::array kInterOctaves = {750, 1500, 3000, 6000};

std::string Num(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

using model::EarName;

std::string_view EarColour(Ear ear) {
    switch (ear) {
        case Ear::Right: return "#d62728";
        case Ear::Left: return "#1f5fbf";
        case Ear::Both:
        case Ear::None: break;
    }
    return "#333333";
}

std::string_view EarWords(Ear ear) {
    switch (ear) {
        case Ear::Right: return "Right ear";
        case Ear::Left: return "Left ear";
        case Ear::Both:
        case Ear::None: break;
    }
    return "Both ears";
}

// The letters of one ear stand this far from the frequency line; a letter is about twice
// kLetterHalfWidth wide at the chart's font size.
constexpr double kLetterGap = 3;
constexpr double kLetterHalfWidth = 6;

// The arrow of a point without response points down and away from the frequency line on
// its ear's side; `left` and `right` are how far it reaches from the point.
struct NoResponseArrow {
    std::string_view id;
    std::string_view shape;
    double left, right;
};

constexpr std::array kNoResponseArrows = {
    NoResponseArrow{"right-no-response", R"(<path d="M-5,6 L-13,18 M-13,18 L-13,12 M-13,18 L-7.5,16" fill="none"/>)", -13, -5},
    NoResponseArrow{"left-no-response", R"(<path d="M5,6 L13,18 M13,18 L13,12 M13,18 L7.5,16" fill="none"/>)", 5, 13},
    NoResponseArrow{"both-no-response", R"(<path d="M0,7 L0,19 M0,19 L-4,14 M0,19 L4,14" fill="none"/>)", -4, 4},
};

// The arrow of both ears stands for any other id.
const NoResponseArrow& ArrowOf(std::string_view id) {
    for (const NoResponseArrow& arrow : kNoResponseArrows) {
        if (id == arrow.id) return arrow;
    }
    return kNoResponseArrows.back();
}

// The shape of a symbol around its point at (0, 0). Bone symbols sit beside the frequency
// line on the side of their ear as the chart faces the patient: right to the left, left to
// the right.
std::string SymbolShape(std::string_view id) {
    static const std::map<std::string_view, std::string_view> kShapes = {
        {"right-air-unmasked", R"(<circle r="6" fill="none"/>)"},
        {"left-air-unmasked", R"(<path d="M-5.5,-5.5 L5.5,5.5 M-5.5,5.5 L5.5,-5.5" fill="none"/>)"},
        {"right-air-masked", R"(<polygon points="0,-7 6.5,5 -6.5,5" fill="none"/>)"},
        {"left-air-masked", R"(<rect x="-5.5" y="-5.5" width="11" height="11" fill="none"/>)"},
        {"right-bone-unmasked", R"(<polyline points="-3,-7 -11,0 -3,7" fill="none"/>)"},
        {"left-bone-unmasked", R"(<polyline points="3,-7 11,0 3,7" fill="none"/>)"},
        {"right-bone-masked", R"(<polyline points="-4,-7 -10,-7 -10,7 -4,7" fill="none"/>)"},
        {"left-bone-masked", R"(<polyline points="4,-7 10,-7 10,7 4,7" fill="none"/>)"},
    };
    if (auto shape = kShapes.find(id); shape != kShapes.end()) return std::string(shape->second);
    // letters of the two ears stand beside the line like the bone symbols, each ending a gap
    // short of it, so a right and a left level at one frequency read "M M", never "MM"
    const std::string place = id.starts_with("right")  ? R"(x=")" + Num(-kLetterGap) + R"(" text-anchor="end")"
                              : id.starts_with("left") ? R"(x=")" + Num(kLetterGap) + R"(" text-anchor="start")"
                                                       : R"(x="0" text-anchor="middle")";
    const auto letter = [&place](std::string_view text) {
        return "<text " + place + R"( y="5" font-size="15" stroke="none">)" + std::string(text) +
               "</text>";
    };
    if (id.ends_with("-field")) return letter("S");
    if (id.ends_with("-mcl")) return letter("M");
    if (id.ends_with("-ucl")) return letter("U");
    if (id == "both-air-unmasked" || id == "both-air-masked") return letter("B");
    if (id.starts_with("both-bone")) return R"(<polyline points="-6,6 0,-5 6,6" fill="none"/>)";
    return std::string(ArrowOf(id).shape);
}

std::string SymbolWords(const ChartMark& mark) {
    std::string words(EarWords(mark.ear));
    switch (mark.kind) {
        case MarkKind::MostComfortable: return words + ", most comfortable level";
        case MarkKind::Uncomfortable: return words + ", uncomfortable level";
        case MarkKind::Threshold: break;
    }
    switch (mark.route) {
        case Route::SoundField: return words + ", sound field";
        case Route::Air: words += ", air"; break;
        case Route::Bone: words += ", bone"; break;
        case Route::Other: break;
    }
    return words + (mark.masked ? ", masked" : ", unmasked");
}

// Where a letter's middle lies from its point: the legend centres letters as it centres the
// other symbols.
double LetterCentre(const ChartMark& mark) {
    const bool letter = mark.kind != MarkKind::Threshold || mark.route == Route::SoundField;
    if (!letter || mark.ear == Ear::Both) return 0;
    const double centre = kLetterGap + kLetterHalfWidth;
    return mark.ear == Ear::Right ? -centre : centre;
}

std::string NoResponseId(Ear ear) { return std::string(EarName(ear)) + "-no-response"; }

void WriteGrid(std::ostringstream& svg) {
    const double left = ChartGeometry::kPlotLeft, top = ChartGeometry::kPlotTop;
    const double right = left + ChartGeometry::kPlotWidth, bottom = top + ChartGeometry::kPlotHeight;
    svg << R"(<g id="grid" stroke="#b0b0b0" stroke-width="1">)" << '\n';
    for (int level = kLowestLevel; level <= kHighestLevel; level += 10) {
        const std::string y = Num(ChartGeometry::Y(level));
        svg << R"(<line x1=")" << Num(left) << R"(" y1=")" << y << R"(" x2=")" << Num(right) << R"(" y2=")" << y
            << (level == 0 ? R"(" stroke="#606060"/>)" : R"("/>)") << '\n';
    }
    for (int frequency : kOctaves) {
        const std::string x = Num(ChartGeometry::X(frequency));
        svg << R"(<line x1=")" << x << R"(" y1=")" << Num(top) << R"(" x2=")" << x << R"(" y2=")"
            << Num(bottom) << R"("/>)" << '\n';
    }
    for (int frequency : kInterOctaves) {
        const std::string x = Num(ChartGeometry::X(frequency));
        svg << R"(<line class="inter-octave" x1=")" << x << R"(" y1=")" << Num(top) << R"(" x2=")" << x
            << R"(" y2=")" << Num(bottom) << R"(" stroke-dasharray="3 4"/>)" << '\n';
    }
    svg << R"(<rect x=")" << Num(left) << R"(" y=")" << Num(top) << R"(" width=")"
        << Num(ChartGeometry::kPlotWidth) << R"(" height=")" << Num(ChartGeometry::kPlotHeight)
        << R"(" fill="none" stroke="#404040"/>)" << '\n'
        << "</g>\n";
}

void WriteAxes(std::ostringstream& svg) {
    const double top = ChartGeometry::kPlotTop;
    svg << R"(<g id="axes" font-size="12" fill="#202020">)" << '\n';
    for (int frequency : kOctaves) {
        svg << R"(<text x=")" << Num(ChartGeometry::X(frequency)) << R"(" y=")" << Num(top - 8)
            << R"(" text-anchor="middle">)" << frequency << "</text>\n";
    }
    for (int frequency : kInterOctaves) {  // ticks without labels
        const std::string x = Num(ChartGeometry::X(frequency));
        svg << R"(<line class="tick" x1=")" << x << R"(" y1=")" << Num(top - 5) << R"(" x2=")" << x
            << R"(" y2=")" << Num(top) << R"(" stroke="#404040"/>)" << '\n';
    }
    for (int level = kLowestLevel; level <= kHighestLevel; level += 10) {
        svg << R"(<text x=")" << Num(ChartGeometry::kPlotLeft - 8) << R"(" y=")"
            << Num(ChartGeometry::Y(level) + 4) << R"(" text-anchor="end">)" << level << "</text>\n";
    }
    const double middleX = ChartGeometry::kPlotLeft + ChartGeometry::kPlotWidth / 2;
    const double middleY = top + ChartGeometry::kPlotHeight / 2;
    svg << R"(<text x=")" << Num(middleX) << R"(" y=")" << Num(top - 28)
        << R"(" text-anchor="middle" font-size="13">Frequency (Hz)</text>)" << '\n'
        << R"(<text x="0" y="0" transform="translate(28 )" << Num(middleY)
        << R"~() rotate(-90)" text-anchor="middle" font-size="13">Hearing level (dB HL)</text>)~" << '\n'
        << "</g>\n";
}

void WriteDefinitions(std::ostringstream& svg, const std::set<std::string>& ids) {
    svg << "<defs>\n";
    for (const std::string& id : ids) {
        const Ear ear = id.starts_with("right") ? Ear::Right : id.starts_with("left") ? Ear::Left : Ear::Both;
        svg << R"(<g id=")" << id << R"(" stroke=")" << EarColour(ear) << R"(" fill=")" << EarColour(ear)
            << R"(" stroke-width="1.6">)" << SymbolShape(id) << "</g>\n";
    }
    svg << "</defs>\n";
}

void WriteUse(std::ostringstream& svg, std::string_view id, double x, double y) {
    svg << R"(<use xlink:href="#)" << id << R"(" x=")" << Num(x) << R"(" y=")" << Num(y) << R"("/>)" << '\n';
}

// Air-conduction thresholds of one curve are joined in frequency order; points without a
// response are not, as their level is only the limit of the audiometer.
void WriteAirLines(std::ostringstream& svg, const std::vector<ChartMark>& marks) {
    std::map<std::size_t, std::vector<const ChartMark*>> curves;
    for (const ChartMark& mark : marks) {
        if (mark.kind == MarkKind::Threshold && mark.route == Route::Air && !mark.noResponse) {
            curves[mark.curve].push_back(&mark);
        }
    }
    svg << R"(<g id="lines" fill="none" stroke-width="1.4">)" << '\n';
    for (auto& [curve, points] : curves) {
        if (points.size() < 2) continue;
        std::stable_sort(points.begin(), points.end(),
                         [](const ChartMark* a, const ChartMark* b) { return a->frequency < b->frequency; });
        const Ear ear = points.front()->ear;
        svg << R"(<polyline class="air-line )" << EarName(ear) << R"(" stroke=")" << EarColour(ear) << '"'
            << (ear == Ear::Left ? R"( stroke-dasharray="7 4")" : "") << R"( points=")";
        for (std::size_t i = 0; i < points.size(); ++i) {
            svg << (i ? " " : "") << Num(ChartGeometry::X(points[i]->frequency)) << ','
                << Num(ChartGeometry::Y(points[i]->levelDb));
        }
        svg << R"("/>)" << '\n';
    }
    svg << "</g>\n";
}

void WriteMarks(std::ostringstream& svg, const std::vector<ChartMark>& marks) {
    svg << R"(<g id="marks">)" << '\n';
    for (const ChartMark& mark : marks) {
        const double x = ChartGeometry::X(mark.frequency), y = ChartGeometry::Y(mark.levelDb);
        WriteUse(svg, SymbolId(mark), x, y);
        if (mark.noResponse) WriteUse(svg, NoResponseId(mark.ear), x, y);
    }
    svg << "</g>\n";
}

std::vector<std::string> Notes(const AudiogramChart& chart) {
    std::vector<std::string> notes;
    const auto note = [&notes](std::size_t count, std::string_view what) {
        if (count) notes.push_back(std::to_string(count) + (count == 1 ? " point " : " points ") + std::string(what));
    };
    note(chart.offChart, "outside the chart's axes");
    note(chart.withoutRoute, "without ear and route");
    note(chart.notTested, "not tested or without level");
    if (chart.marks.empty() && notes.empty()) notes.emplace_back("no tone audiogram in this record");
    return notes;
}

void WriteLegend(std::ostringstream& svg, const std::vector<ChartMark>& marks, const AudiogramChart& chart) {
    // right ear first, then left, then both; thresholds before comfort levels
    using LegendKey = std::tuple<Ear, MarkKind, Route, bool>;
    std::map<LegendKey, const ChartMark*> entries;
    std::set<Ear> noResponseEars;
    for (const ChartMark& mark : marks) {
        entries.emplace(LegendKey{mark.ear, mark.kind, mark.route, mark.masked}, &mark);
        if (mark.noResponse) noResponseEars.insert(mark.ear);
    }
    svg << R"(<g id="legend" font-size="12" fill="#202020">)" << '\n';
    double y = ChartGeometry::kPlotTop + 10;
    for (const auto& [key, mark] : entries) {
        WriteUse(svg, SymbolId(*mark), kLegendLeft + 12 - LetterCentre(*mark), y);
        svg << R"(<text x=")" << Num(kLegendLeft + 30) << R"(" y=")" << Num(y + 4) << R"(">)"
            << XmlText(SymbolWords(*mark)) << "</text>\n";
        y += 24;
    }
    if (!noResponseEars.empty()) {
        // the arrow is centred where the other symbols stand, clear of the text after it
        const std::string id = NoResponseId(*noResponseEars.begin());
        const NoResponseArrow& arrow = ArrowOf(id);
        WriteUse(svg, id, kLegendLeft + 12 - (arrow.left + arrow.right) / 2, y - 14);
        svg << R"(<text x=")" << Num(kLegendLeft + 30) << R"(" y=")" << Num(y + 4) << R"(">No response</text>)"
            << '\n';
        y += 30;
    }
    for (const std::string& text : Notes(chart)) {
        svg << R"(<text class="note" x=")" << Num(kLegendLeft) << R"(" y=")" << Num(y + 4)
            << R"(" font-style="italic">)" << XmlText(text) << "</text>\n";
        y += 18;
    }
    svg << "</g>\n";
}

}  // namespace

double ChartGeometry::X(double frequency) {
    return kPlotLeft + std::log2(frequency / kLowestFrequency) * kOctaveWidth;
}

double ChartGeometry::Y(double levelDecibels) {
    return kPlotTop + (levelDecibels - kLowestLevel) * kUnitsPerDecibel;
}

std::string SymbolId(const ChartMark& mark) {
    const std::string ear(EarName(mark.ear));
    switch (mark.kind) {
        case MarkKind::MostComfortable: return ear + "-mcl";
        case MarkKind::Uncomfortable: return ear + "-ucl";
        case MarkKind::Threshold: break;
    }
    switch (mark.route) {
        case Route::SoundField: return ear + "-field";
        case Route::Air: return ear + (mark.masked ? "-air-masked" : "-air-unmasked");
        case Route::Bone: return ear + (mark.masked ? "-bone-masked" : "-bone-unmasked");
        case Route::Other: break;
    }
    return ear;
}

std::string RenderAudiogramSvg(const AudiogramChart& chart, std::string_view title) {
    std::set<std::string> ids;
    for (const ChartMark& mark : chart.marks) {
        ids.insert(SymbolId(mark));
        if (mark.noResponse) ids.insert(NoResponseId(mark.ear));
    }
    std::ostringstream svg;
    svg << R"(<?xml version="1.0" encoding="UTF-8"?>)" << '\n'
        << R"(<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" version="1.1")"
        << R"( width=")" << Num(kWidth) << R"(" height=")" << Num(kHeight) << R"(" viewBox="0 0 )" << Num(kWidth)
        << ' ' << Num(kHeight) << R"(" font-family="DejaVu Sans, Arial, Helvetica, sans-serif">)" << '\n'
        << (title.empty() ? "" : "<title>" + XmlText(title) + "</title>\n")
        << R"(<rect width="100%" height="100%" fill="#ffffff"/>)" << '\n';
    if (!title.empty()) {  // an empty title draws none
        svg << R"(<text x=")" << Num(ChartGeometry::kPlotLeft) << R"(" y="24" font-size="15" font-weight="bold">)"
            << XmlText(title) << "</text>\n";
    }
    WriteDefinitions(svg, ids);
    WriteGrid(svg);
    WriteAxes(svg);
    WriteAirLines(svg, chart.marks);
    WriteMarks(svg, chart.marks);
    WriteLegend(svg, chart.marks, chart);
    svg << "</svg>\n";
    return svg.str();
}

}  // namespace audiogram::frontend
