#pragma once
// The section readers of the import. Each is entered just after NextElement has entered its
// element, pulls the element's children until its end tag and fills its area of the 200
// record: kStatusOk after the end tag, a failure when the parser fails. Leaves come in any
// order and any number of times; the last one wins, except in the frequency masks, which
// collect.

#include <cstdint>
#include <span>

#include "import/leaf_rules.h"
#include "import/xml_reader.h"
#include "records/curve_layouts.h"
#include "records/little_endian.h"

namespace audiogram {

// Reads the leaves of one element into `area` by the rules of its list.
HResult ReadLeaves(AudiogramXmlReader& reader, MutableByteSpan area, std::span<const FieldRow> rules);

// One TMeasCond (206 bytes) from an AudMeasurementConditions element.
HResult ReadMeasurementConditions(AudiogramXmlReader& reader, MutableByteSpan condition);

// One point from one points element, with the rules of the point's layout.
HResult ReadPoint(AudiogramXmlReader& reader, MutableByteSpan point, std::span<const FieldRow> pointRules);

// One TAudiometerNotes block (404 bytes) from ToneNotes or SpeechNotes.
HResult ReadNotes(AudiogramXmlReader& reader, MutableByteSpan notes);

// The four masks of TToneAverageFrequencies (8 bytes): cleared, then every leaf ORs the bit
// of its frequency into the mask of its name.
HResult ReadFrequencyMasks(AudiogramXmlReader& reader, MutableByteSpan masks);

// One curve element: its measurement conditions, then one point per points element in
// document order. Points beyond the curve's point array are read and ignored.
HResult ReadCurve(AudiogramXmlReader& reader, MutableByteSpan curve, const CurveLayout& layout,
                  std::span<const FieldRow> pointRules);

}  // namespace audiogram
