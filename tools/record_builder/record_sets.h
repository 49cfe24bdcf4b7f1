#pragma once
// 200 records of three sizes that benchmarks and fuzz seed corpora share, so every figure
// and every seed starts from the same data: the empty record, a typical audiogram with a
// few curves, and a heavy one in which every curve slot and every point is used.

#include "record_builder/record_builder.h"

namespace audiogram::record_sets {

BlobBytes Empty200();
// Air and bone thresholds of both ears, comfortable and uncomfortable levels, speech
// discrimination, notes and tone-average masks: what a clinic stores for one visit.
BlobBytes Typical200();
// Every slot of every section used, every point filled, every text of the conditions and
// the notes written (with characters that need escapes), every tone-average bit set.
BlobBytes Heavy200();
// Like the heavy record, but only the first slot of every section with two points: every
// kind of section in a small document.
BlobBytes EverySection200();

}  // namespace audiogram::record_sets
