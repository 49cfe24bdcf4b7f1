#pragma once
// The field rows as the import reads them: for each structure, the row of position p at
// index p - 1, so a reader finds the row of a leaf without a search. Positions after the last
// row (PrimaryKey, ForeignKey) are read and ignored.

#include <array>

#include "schema/field_rows.h"
#include "schema/section_rows.h"

namespace audiogram::leaf_rules {

// The conditions stand in the document's order in their rows; the import needs list order.
inline constexpr auto kMeasurementConditions = ByPosition(kMeasurementConditionFields);
static_assert(FollowPositions(kMeasurementConditions));

// The other rows stand in list order already, as the walk over the sections takes them.
constexpr bool SectionRowsFollowPositions() {
    for (const SectionRow& row : kSectionRows) {
        const auto leaves = row.kind == SectionKind::Curves ? row.pointFields : row.fields;
        for (std::size_t i = 0; i < leaves.size(); ++i) {
            if (leaves[i].position != static_cast<std::int32_t>(i + 1)) return false;
        }
    }
    return true;
}
static_assert(SectionRowsFollowPositions());

}  // namespace audiogram::leaf_rules
