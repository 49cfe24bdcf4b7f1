// What the conversions are measured against, on the same data:
// - memcpy of a 200 record: the physical limit of a block relocation;
// - libxml2's xmlTextWriter writing the same document, the writer a user would reach for;
// - pugixml parsing the same document into its tree without extracting a value, the
//   fastest parser a user would reach for (an importer built on it must still walk the
//   tree and convert every value).

#include <benchmark/benchmark.h>
#include <libxml/xmlwriter.h>

#include <cstring>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_records.h"
#include "bench_registry.h"
#include "records/record200_layout.h"
#include "xml/xml_writer.h"

namespace audiogram::bench {
namespace {

void MemcpyRecord200(benchmark::State& state) {
    const std::vector<std::uint8_t> from(record200::kSize, 0x5A);
    std::vector<std::uint8_t> to(record200::kSize);
    for (auto _ : state) {
        benchmark::DoNotOptimize(from.data());
        std::memcpy(to.data(), from.data(), record200::kSize);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(record200::kSize));
}

// One call of the writer. The document's content is taken from the exported document
// beforehand, so the baseline pays for writing only: an exporter built on libxml2 would
// also walk the record and format every value, which makes this ratio a conservative one.
struct WriteEvent {
    enum class Kind { StartElement, Attribute, Text, Comment, EndElement } kind;
    std::string name;
    std::string value;
};

void CollectEvents(const pugi::xml_node& node, std::vector<WriteEvent>& events) {
    for (const pugi::xml_node& child : node.children()) {
        switch (child.type()) {
            case pugi::node_element:
                events.push_back({WriteEvent::Kind::StartElement, child.name(), {}});
                for (const pugi::xml_attribute& attribute : child.attributes()) {
                    events.push_back({WriteEvent::Kind::Attribute, attribute.name(), attribute.value()});
                }
                CollectEvents(child, events);
                events.push_back({WriteEvent::Kind::EndElement, {}, {}});
                break;
            case pugi::node_pcdata: events.push_back({WriteEvent::Kind::Text, {}, child.value()}); break;
            case pugi::node_comment: events.push_back({WriteEvent::Kind::Comment, {}, child.value()}); break;
            default: break;
        }
    }
}

std::vector<WriteEvent> EventsOf(const Blob& document) {
    pugi::xml_document tree;
    const pugi::xml_parse_result parsed =
        tree.load_buffer(document.data(), document.size(), pugi::parse_default | pugi::parse_comments);
    if (!parsed) throw std::runtime_error(std::string("the exported document does not parse: ") + parsed.description());
    std::vector<WriteEvent> events;
    CollectEvents(tree, events);
    return events;
}

const xmlChar* Xml(const std::string& text) { return reinterpret_cast<const xmlChar*>(text.c_str()); }

// Writes the document with libxml2 the way ours is written: declaration, tab indentation.
// Returns the writer's buffer, which the caller frees.
xmlBufferPtr WriteWithLibxml2(const std::vector<WriteEvent>& events) {
    xmlBufferPtr buffer = xmlBufferCreateSize(XmlWriter::kGrowthStep);
    xmlTextWriterPtr writer = xmlNewTextWriterMemory(buffer, 0);
    xmlTextWriterSetIndent(writer, 1);
    xmlTextWriterSetIndentString(writer, reinterpret_cast<const xmlChar*>("\t"));
    xmlTextWriterStartDocument(writer, nullptr, "UTF-8", nullptr);
    for (const WriteEvent& event : events) {
        switch (event.kind) {
            case WriteEvent::Kind::StartElement: xmlTextWriterStartElement(writer, Xml(event.name)); break;
            case WriteEvent::Kind::Attribute:
                xmlTextWriterWriteAttribute(writer, Xml(event.name), Xml(event.value));
                break;
            case WriteEvent::Kind::Text: xmlTextWriterWriteString(writer, Xml(event.value)); break;
            case WriteEvent::Kind::Comment: xmlTextWriterWriteComment(writer, Xml(event.value)); break;
            case WriteEvent::Kind::EndElement: xmlTextWriterFullEndElement(writer); break;
        }
    }
    xmlTextWriterEndDocument(writer);
    xmlFreeTextWriter(writer);
    return buffer;
}

// The two documents differ only in what each writer does its own way: line ends and
// indentation (the benchmark texts hold no tab or line end of their own), the blank before
// the root's attributes, and whether a double quote in text is escaped.
std::string Normalised(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n' || text[i] == '\t') continue;
        if (text.compare(i, 6, "&quot;") == 0) {
            out += '"';
            i += 5;
            continue;
        }
        if (text[i] == ' ' && !out.empty() && out.back() == ' ') continue;
        out += text[i];
    }
    return out;
}

void Libxml2Writer(benchmark::State& state, const BenchRecord& record) {
    const std::vector<WriteEvent> events = EventsOf(record.document500);
    {
        xmlBufferPtr check = WriteWithLibxml2(events);
        const std::string written(reinterpret_cast<const char*>(xmlBufferContent(check)),
                                  static_cast<std::size_t>(xmlBufferLength(check)));
        xmlBufferFree(check);
        if (Normalised(written) != Normalised(std::string(AsText(record.document500)))) {
            state.SkipWithError("libxml2 does not write the same document");
            return;
        }
    }
    for (auto _ : state) {
        xmlBufferPtr buffer = WriteWithLibxml2(events);
        benchmark::DoNotOptimize(xmlBufferContent(buffer));
        xmlBufferFree(buffer);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(record.record200.size()));
}

void PugixmlParse(benchmark::State& state, const BenchRecord& record) {
    for (auto _ : state) {
        pugi::xml_document tree;
        const pugi::xml_parse_result parsed =
            tree.load_buffer(record.document500.data(), record.document500.size(), pugi::parse_default,
                             pugi::encoding_utf8);
        benchmark::DoNotOptimize(parsed.status);
        benchmark::DoNotOptimize(tree.first_child().internal_object());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(record.document500.size()));
}

}  // namespace

void RegisterBaselines() {
    benchmark::RegisterBenchmark(BaselineName(kMemcpy, "any").c_str(), MemcpyRecord200);
    for (const BenchRecord& record : BenchRecords()) {
        benchmark::RegisterBenchmark(BaselineName(kLibxml2Writer, record.size).c_str(),
                                     [&record](benchmark::State& state) { Libxml2Writer(state, record); });
        benchmark::RegisterBenchmark(BaselineName(kPugixmlParse, record.size).c_str(),
                                     [&record](benchmark::State& state) { PugixmlParse(state, record); });
    }
}

}  // namespace audiogram::bench
