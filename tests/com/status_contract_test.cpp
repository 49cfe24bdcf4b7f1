// The status contract of a conversion, one table run along every route a caller has to the
// conversion of a blob: the dispatcher itself and the component's ConvertDataBlob through its
// vtable and by name. Each row is a pair of data standards and an input; every route answers
// the row's status. A success gives the dispatcher's bytes (those after a binary record
// dropped when it converts into the other binary standard); a failure hands nothing back: the
// dispatcher's result and the out VARIANT stay as they were. (ConvertData hands the
// dispatcher's status and bytes on unchanged: its own table checks them with the host calls.)

#include <string>
#include <string_view>

#include "com_test_support.h"

namespace audiogram::com::testing {
namespace {

constexpr std::string_view kExtension = "extra";

Blob Text(std::string_view text) {
    return {text.begin(), text.end()};
}

Blob Cut(Blob bytes, std::size_t length) {
    bytes.resize(length);
    return bytes;
}

Blob Extended(Blob record) {
    record.insert(record.end(), kExtension.begin(), kExtension.end());
    return record;
}

constexpr std::string_view kOpenRoot =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<TORVAAudiometricStandard "
    "ConvertedFromDataStandard=\"200\" "
    "Version=\"500\" xmlns=\"http://www.torva.com/Measurement/Audiogram\">\r\n";

Blob Document(std::string_view body) {
    return Text(std::string(kOpenRoot) + std::string(body) + "</TORVAAudiometricStandard>\r\n");
}

struct Row {
    std::string name;
    short to, from;
    Blob source;
    HResult expected;
    bool extended = false;  // the source is a record followed by kExtension
};

// Built on first use, inside the test: the samples' export reads the test's configuration.
const std::vector<Row>& Rows() {
    const Blob record100 = SampleBlob(kDataStandard100), record200 = SampleBlob(kDataStandard200);
    const Blob document = SampleBlob(kDataStandard500);
    static const std::vector<Row> rows = [&] {
        std::vector<Row> table = {
            // clang-format off
            {"Same100", 100, 100, record100, CONV_E_INVALIDBLOB},
            {"Same200", 200, 200, record200, CONV_E_INVALIDBLOB},
            {"Same500", 500, 500, document, CONV_E_INVALIDBLOB},
            {"UnknownTarget300", 300, 100, record100, CONV_E_UNSUPPORTEDFORMAT},
            {"DocumentTo200", 200, 500, document, kStatusOk},
            {"DocumentTo100", 100, 500, document, kStatusOk},
            {"TextWithoutTags", 200, 500, Text("not a document at all"), kStatusFail},
            {"NulBeforeTheDocument", 100, 500, Text(std::string_view("\0<TORVAAudiometricStandard>", 27)), kStatusFail},
            {"RecordGivenAsDocument", 200, 500, record200, kStatusFail},
            {"MismatchedEndTag", 100, 500, Document("<ToneNotes></TestMethod>"), kStatusFail},
            {"DeclarationOnly", 200, 500, Text("<?xml version=\"1.0\"?>\r\n"), kStatusFail},
            {"RootWithoutAttributes", 100, 500,
             Text("<TORVAAudiometricStandard><ToneNotes></ToneNotes></TORVAAudiometricStandard>"), kStatusFail},
            {"UnclosedElement", 100, 500, Document("<ToneNotes><TestMethod><X>"), kStatusFail},
            {"UnclosedUnknownElement", 100, 500, Document("<ToneNotes><Foo><Bar>x</Bar>"), kStatusFail},
            {"NulInsideAnEndTag", 100, 500, Document(std::string_view("<ToneNotes>\0/ToneNotes>", 23)), kStatusFail},
            {"UnfinishedSpeechPoint", 100, 500,
             Document("<SpeechDiscriminationAudiogram><SpeechDiscriminationPoints><ScorePercent unit=\"%\">50"
                      "</ScorePercent></SpeechDiscriminationPoints></SpeechDiscriminationAudiogram>"), kStatusFail},
            // the reader takes any root name and never checks the encoding
            {"EmptyRootOfAnotherName", 200, 500, Text("<?xml version=\"1.0\"?><Audiogram></Audiogram>"), kStatusOk},
            {"BadUtf8", 200, 500, Document("<ToneNotes><TestMethod>\xC3\x28</TestMethod></ToneNotes>"), kStatusOk},
            // clang-format on
        };
        // each binary pair: a record one byte short, of its full size, and with bytes after it
        for (const auto& [to, from] :
             {std::pair<short, short>{200, 100}, {500, 100}, {100, 200}, {500, 200}}) {
            const Blob& record = from == 100 ? record100 : record200;
            const std::string pair = std::to_string(from) + "To" + std::to_string(to);
            table.push_back({"Short" + pair, to, from, Cut(record, record.size() - 1), CONV_E_INVALIDBLOB});
            table.push_back({"Exact" + pair, to, from, record, kStatusOk});
            table.push_back({"Long" + pair, to, from, Extended(record), kStatusOk, true});
        }
        return table;
    }();
    return rows;
}

enum class Route { Vtable, ByName };
constexpr const char* kRouteNames[] = {"vtable", "by name"};

// What a route answered: its status, the result bytes on success, and the source as the
// caller holds it afterwards.
struct Answer {
    HResult status;
    Blob result, source;
};

Answer Dispatch(const Row& row) {
    Answer answer{kStatusOk, {}, row.source};
    answer.status = ConvertDataBlob(row.to, row.from, answer.source, answer.result);
    return answer;
}

// ConvertDataBlob as early-bound and as late-bound callers make it; a late-bound caller passes
// the shorts as script hosts do (the second as VT_I4) and the out VARIANT by reference.
HResult CallConvertDataBlob(IConvertAction& converter, Route route, short to, short from, const VARIANT& blob,
                            VARIANT& out) {
    if (route == Route::Vtable) return converter.ConvertDataBlob(to, from, blob, &out);
    return InvokeMethod(converter, IdOf(converter, u"convertDATABLOB"), {I2(to), I4(from), blob, RefTo(out)});
}

Answer ConvertBlob(IConvertAction& converter, const Row& row, Route route) {
    OwnedVariant blob(ByteArrayVariant(row.source));
    OwnedVariant out(I4(7));  // a failure empties whatever the out VARIANT held
    const HResult status = CallConvertDataBlob(converter, route, row.to, row.from, blob.value, out.value);
    if (Failed(status)) {
        EXPECT_EQ(out.value.vt, VT_EMPTY);
    }
    return {status, Failed(status) ? Blob{} : BytesOf(out.value), BytesOf(blob.value)};
}

// Bytes after a binary record are dropped when it converts into the other binary standard.
// (What the dispatcher's answers look like otherwise is the fuzz targets' property; the
// document carries them as base64, which the export's golden texts show.)
void ExpectExtensionDropped(const Row& row, const Answer& answer) {
    if (!row.extended || Failed(answer.status) || row.to == kDataStandard500) return;
    Blob record(row.source.begin(), row.source.end() - static_cast<std::ptrdiff_t>(kExtension.size()));
    Blob withoutExtension;
    EXPECT_EQ(ConvertDataBlob(row.to, row.from, record, withoutExtension), kStatusOk);
    EXPECT_EQ(answer.result, withoutExtension) << row.name;
}

using StatusContract = ComponentTest;

TEST_F(StatusContract, EveryRouteAnswersTheRowsStatusWithTheDispatchersBytes) {
    for (const Row& row : Rows()) {
        const Answer dispatched = Dispatch(row);
        EXPECT_EQ(dispatched.status, row.expected) << row.name;
        ExpectExtensionDropped(row, dispatched);
        for (const Route route : {Route::Vtable, Route::ByName}) {
            SCOPED_TRACE(row.name + " through the " + kRouteNames[static_cast<int>(route)]);
            const Answer answer = ConvertBlob(*converter, row, route);
            EXPECT_EQ(answer.status, row.expected);
            EXPECT_EQ(answer.result, dispatched.result);
            // only the completion of the calibration date may change the caller's blob
            EXPECT_EQ(answer.source, dispatched.source);
        }
    }
}

// A blob that is no byte array is refused before the pair is looked at (a lower bound other
// than 0 is ConvertData's table's case: both read the blob alike).
TEST_F(StatusContract, BlobsOfAnotherShapeAreRefused) {
    OwnedVariant referenced(ByteArrayVariant(SampleBlob(kDataStandard100)));
    const struct {
        const char* what;
        OwnedVariant blob;
    } kBadBlobs[] = {
        {"empty", OwnedVariant()},
        {"byte array by reference",
         OwnedVariant(Make<&VARIANT::pparray>(VT_BYREF | VT_ARRAY | VT_UI1, &referenced.value.parray))},
        {"array of shorts", OwnedVariant(ArrayOf(VT_I2, SafeArrayCreateVector(VT_I2, 0, 19472)))},
        {"byte array type without an array", OwnedVariant(ArrayOf(VT_UI1, nullptr))},
    };
    for (const auto& [what, blob] : kBadBlobs) {
        for (const Route route : {Route::Vtable, Route::ByName}) {
            for (const short to : {short{200}, short{300}}) {
                SCOPED_TRACE(::testing::Message() << what << " to " << to << " through the "
                                                  << kRouteNames[static_cast<int>(route)]);
                OwnedVariant out(I4(7));
                EXPECT_EQ(CallConvertDataBlob(*converter, route, to, 100, blob.value, out.value),
                          CONV_E_INVALIDBLOB);
                EXPECT_EQ(out.value.vt, VT_EMPTY);
            }
        }
    }
    EXPECT_EQ(converter->ConvertDataBlob(200, 100, referenced.value, nullptr), E_POINTER);
}

}  // namespace
}  // namespace audiogram::com::testing
