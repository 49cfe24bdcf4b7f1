#pragma once
// The audiogram of a 200 record as data: its used curves with their conditions and points,
// the notes, the tone-average frequencies and the problems the export comments on. Names
// are the element and enumeration names of the document; numbers are numbers.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "records/record200_layout.h"

namespace audiogram::model {

struct Value {
    enum class Kind {
        Missing,      // the field holds MissingValue
        Number,       // number; text is the number as the document writes it ("25.5", "1000")
        Name,         // text is an enumeration name, number its code
        InvalidCode,  // number is a code its enumeration table does not have; text the code
        Text,         // text is a record text, as UTF-8
    };
    Kind kind = Kind::Missing;
    double number = 0;
    std::string text;
};

struct NamedValue {
    std::string name;  // the element name of the document
    Value value;
    std::string unit;  // empty when the value has none
};

struct Column {
    std::string name;
    std::string unit;
};

enum class Ear { Right, Left, Both, None };
enum class Route { Air, Bone, SoundField, Other };

struct Point {
    std::size_t index;          // in the curve's point array
    std::vector<Value> values;  // one per column of the section
    // The same fields by meaning, where the point kind has them.
    std::optional<double> frequencyHz;
    std::optional<double> levelDb;
    std::optional<double> maskingFrequencyHz;  // only when the point is masked
    std::optional<double> maskingLevelDb;      // only when the point is masked
    std::optional<std::string> status;         // the status name; none without a valid status
    bool masked = false;
    bool tested = false;    // a level is given and the status is neither DidNotTest nor CouldNotTest
    bool response = false;  // tested, and the status is not NoResponse
};

struct Curve {
    std::size_t slot;  // in its section, from 0
    Ear ear = Ear::None;
    Route route = Route::Other;
    bool masked = false;  // one of its points is masked
    std::optional<std::string> transducer;  // the stimulus transducer's name
    std::vector<NamedValue> conditions;     // fields not in their default state, in document order
    std::vector<Point> points;              // the used points in record order
};

struct CurveSection {
    Section section;
    std::string name;
    std::vector<Column> columns;
    std::vector<Curve> curves;
};

struct NotesBlock {
    std::string name;
    std::vector<NamedValue> fields;  // the texts that are present
};

struct ToneAverageFrequencies {
    std::string name;                  // LeftEar1, LeftEar2, RightEar1 or RightEar2
    Ear ear;                           // Left or Right
    std::vector<std::string> names;    // of the set bits, lowest first
    std::vector<int> frequenciesHz;    // the same bits that name a frequency in hertz
};

struct Problem {
    std::string where;  // element path, e.g. "ToneThresholdAudiogram[2]/TonePoints[1]"
    std::string text;   // the export's comment
};

struct Audiogram {
    std::vector<CurveSection> sections;               // only sections with used curves, in record order
    std::vector<NotesBlock> notes;                    // only notes blocks with a text
    std::vector<ToneAverageFrequencies> toneAverage;  // all four masks, in record order
    std::vector<Problem> problems;
};

}  // namespace audiogram::model
