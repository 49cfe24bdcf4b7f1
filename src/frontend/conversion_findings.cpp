#include "frontend/conversion_findings.h"

#include <array>
#include <string_view>

#include "export/schema_positions.h"
#include "export/schema_table.h"
#include "frontend/document_outline.h"
#include "model/export_problems.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"

namespace audiogram::frontend {
namespace {

std::string Standard(DataStandard standard) { return "data standard " + std::to_string(standard); }

std::string_view Text(ByteSpan bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }

struct BinaryRecord {
    DataStandard standard;
    std::size_t size;
};
constexpr std::array kBinaryRecords = {BinaryRecord{kDataStandard100, record100::kSize},
                                       BinaryRecord{kDataStandard200, record200::kSize}};

std::size_t RecordSize(DataStandard standard) {
    for (const BinaryRecord& record : kBinaryRecords) {
        if (record.standard == standard) return record.size;
    }
    return 0;
}

bool IsBinary(DataStandard standard) { return RecordSize(standard) != 0; }

void AddProblemComments(DataStandard to, ByteSpan result, std::vector<Finding>& findings) {
    if (to != kDataStandard500) return;
    const std::size_t count = model::ExportProblems(Text(result)).size();
    if (count == 0) return;
    findings.push_back({FindingKind::ProblemComments,
                        std::to_string(count) + (count == 1 ? " problem was" : " problems were") +
                            " written into the document as comments (invalid values, inserted statuses, cut texts or "
                            "dropped characters); see the comments in the output, which inspect also lists"});
}

// A binary input of exactly the other record's size was most likely given the wrong standard.
void AddLikelyStandard(DataStandard from, ByteSpan input, std::vector<Finding>& findings) {
    if (!IsBinary(from)) return;
    for (const BinaryRecord& other : kBinaryRecords) {
        if (other.standard != from && input.size() == other.size) {
            findings.push_back({FindingKind::LikelyWrongStandard,
                                "the input has " + std::to_string(input.size()) + " bytes, exactly the size of a " +
                                    Standard(other.standard) + " record: it is likely " + Standard(other.standard) +
                                    ", not " + std::to_string(from)});
        }
    }
}

void AddRootElement(DataStandard from, ByteSpan input, std::vector<Finding>& findings) {
    if (from != kDataStandard500) return;
    const std::string_view expected = AudiogramSchemaTable().RootName();
    const std::string_view root = RootElementName(Text(input));
    if (root == expected) return;
    const std::string found = root.empty() ? "no root element" : "the root element '" + std::string(root) + "'";
    findings.push_back({FindingKind::NotAnAudiogramDocument,
                        "not an audiogram document: it has " + found + ", not '" + std::string(expected) +
                            "', and converted into an empty record"});
}

void AddDroppedBytes(DataStandard from, DataStandard to, ByteSpan input, std::vector<Finding>& findings) {
    if (to == kDataStandard500) return;  // a document carries extension bytes as private data
    std::size_t dropped = 0;
    std::string what;
    if (IsBinary(from) && input.size() > RecordSize(from)) {
        dropped = input.size() - RecordSize(from);
        what = " extension bytes after the " + Standard(from) + " record were";
    } else if (from == kDataStandard500) {
        const AudiogramSchemaTable table;
        const std::string_view name = table.ElementName(schema::kRootList, schema::root::kPrivateAudiogramData);
        dropped = Base64ElementBytes(Text(input), name);
        what = " bytes of the document's " + std::string(name) + " were";
    }
    if (dropped == 0) return;
    findings.push_back({FindingKind::DroppedBytes, std::to_string(dropped) + what + " left behind: a " + Standard(to) +
                                                       " record has no place for them"});
}

}  // namespace

std::vector<Finding> ConversionFindings(DataStandard from, DataStandard to, ByteSpan input, ByteSpan result) {
    std::vector<Finding> findings;
    AddProblemComments(to, result, findings);
    AddLikelyStandard(from, input, findings);
    AddRootElement(from, input, findings);
    AddDroppedBytes(from, to, input, findings);
    return findings;
}

}  // namespace audiogram::frontend
