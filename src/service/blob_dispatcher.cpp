#include "service/blob_dispatcher.h"

#include <algorithm>
#include <array>
#include <new>

#include "export/convert200to500.h"
#include "import/convert500to200.h"
#include "records/counted_text.h"
#include "records/empty_record.h"
#include "records/record100_layout.h"
#include "records/record200_layout.h"
#include "records/record_conversion.h"
#include "service/configured_text_rules.h"
#include "xml/xml_writer.h"

namespace audiogram {
namespace {

constexpr std::u16string_view kDateSuffix = u"T00:00:00";
constexpr std::size_t kBareDateLength = 10;

// Runs one step into a fresh blob, so a failing step never leaves a half-filled result.
Blob EmptyRecord200Blob() {
    const Record200Bytes& empty = EmptyRecord200();
    return Blob(empty.begin(), empty.end());
}

// The one place where the exceptions of a conversion become statuses: running out of memory,
// in the writer's growth as anywhere else, is E_OUTOFMEMORY; any other failure E_FAIL.
template <typename Body>
HResult StatusOf(Body body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return kStatusOutOfMemory;
    } catch (const XmlWriterOutOfMemory&) {
        return kStatusOutOfMemory;
    } catch (...) {
        return kStatusFail;
    }
}

template <typename Step>
HResult RunStep(Blob& result, Step step) {
    Blob produced;
    const HResult status = step(produced);
    if (!Failed(status)) result = std::move(produced);
    return status;
}

HResult ConvertTo100(DataStandard oldDataFormat, MutableByteSpan source, Blob& result) {
    switch (oldDataFormat) {
        case kDataStandard200:
            return ConvertBlob200to100(source, result);
        case kDataStandard500: {
            Blob intermediate;
            RETURN_IF_FAILED_STATUS(ConvertBlob500to200(source, intermediate));
            return ConvertBlob200to100(intermediate, result);
        }
        default:
            return CONV_E_INVALIDBLOB;
    }
}

HResult ConvertTo200(DataStandard oldDataFormat, MutableByteSpan source, Blob& result) {
    switch (oldDataFormat) {
        case kDataStandard100:
            return ConvertBlob100to200(source, result);
        case kDataStandard500:
            return ConvertBlob500to200(source, result);
        default:
            return CONV_E_INVALIDBLOB;
    }
}

HResult ConvertTo500(DataStandard oldDataFormat, MutableByteSpan source, Blob& result) {
    switch (oldDataFormat) {
        case kDataStandard100: {
            const auto extension = CutExtensionData(source, record100::kSize);
            Blob intermediate;
            RETURN_IF_FAILED_STATUS(ConvertBlob100to200(source, intermediate));
            return ConvertBlob200to500(intermediate, result, extension.get());
        }
        case kDataStandard200: {
            const auto extension = CutExtensionData(source, record200::kSize);
            return ConvertBlob200to500(source, result, extension.get());
        }
        default:
            return CONV_E_INVALIDBLOB;
    }
}

}  // namespace

HResult ConvertDataBlob(DataStandard newDataFormat, DataStandard oldDataFormat, MutableByteSpan source,
                        Blob& result) {
    return StatusOf([&] {
        return RunStep(result, [&](Blob& produced) {
            switch (newDataFormat) {
                case kDataStandard100:
                    return ConvertTo100(oldDataFormat, source, produced);
                case kDataStandard200:
                    return ConvertTo200(oldDataFormat, source, produced);
                case kDataStandard500:
                    return ConvertTo500(oldDataFormat, source, produced);
                default:
                    return CONV_E_UNSUPPORTEDFORMAT;
            }
        });
    });
}

// The binary steps build their record right in the result blob, allocated once at its
// exact size: a 200 result starts as a copy of the empty record and takes the 100 curves
// (a pass that wrote each byte once, block by block, measured no faster than the library's
// copy of the whole record); a 100 result is written once, block by block in record order.
HResult ConvertBlob100to200(ByteSpan source, Blob& result) {
    if (source.size() < record100::kSize) return CONV_E_INVALIDBLOB;
    Blob record = EmptyRecord200Blob();
    CopyCurves100to200(source.first(record100::kSize), record);
    result = std::move(record);
    return kStatusOk;
}

HResult ConvertBlob200to100(ByteSpan source, Blob& result) {
    if (source.size() < record200::kSize) return CONV_E_INVALIDBLOB;
    Blob record;
    AppendRecord200to100(source.first(record200::kSize), record);
    result = std::move(record);
    return kStatusOk;
}

HResult ConvertBlob200to500(MutableByteSpan source, Blob& result, const CExtensionData* extension) {
    if (source.size() < record200::kSize) return CONV_E_INVALIDBLOB;
    // Any failure of the export, a writer exception included, leaves no document behind.
    return StatusOf([&] {
        ConfiguredTextRules textRules(ProcessConfiguration());
        XmlWriter writer(textRules);
        Convert200to500 converter(writer);
        CompleteCalibrationDate(source);
        RETURN_IF_FAILED_STATUS(converter.Convert_Audio(source.first(record200::kSize), extension));
        const std::string_view document = writer.Text();
        SetBlobBytes(result,
                     ByteSpan(reinterpret_cast<const std::uint8_t*>(document.data()), document.size()));
        return kStatusOk;
    });
}

HResult ConvertBlob500to200(ByteSpan source, Blob& result) {
    return StatusOf([&] {
        ConfiguredTextRules textRules(ProcessConfiguration());
        Convert500to200 converter(textRules);
        // The import fills the empty record right in the blob it hands back.
        Blob record = EmptyRecord200Blob();
        // The reader ends the document at its first NUL byte or at the end of the blob; an
        // empty blob reaches it as an empty text.
        RETURN_IF_FAILED_STATUS(converter.Convert_Audio(source, record));
        result = std::move(record);
        return kStatusOk;
    });
}

std::unique_ptr<CExtensionData> CutExtensionData(ByteSpan source, std::uint32_t fixedSize) {
    if (source.size() <= fixedSize) return nullptr;
    return std::make_unique<CExtensionData>(source.subspan(fixedSize));
}

void SetBlobBytes(Blob& result, ByteSpan bytes) {
    result = Blob(bytes.begin(), bytes.end());
}

bool CompleteCalibrationDate(MutableByteSpan record200) {
    // A caller's area too short to hold the notes is left alone rather than read past its end.
    if (record200.size() < record200::kSize) return false;
    const ByteSpan notes = ByteSpan(record200).subspan(record200::kToneNotesOffset, record200::notes::kSize);
    constexpr CountedTextField field = record200::notes::kAudiometerLastCalibration;
    if (TextCount(notes, field) != kBareDateLength) return false;
    if (TextUnit(notes, field, 4) != u'-' || TextUnit(notes, field, 7) != u'-') return false;
    // Only a text that really is 10 units long is completed, so the field can never overflow.
    for (std::size_t i = 0; i < kBareDateLength; ++i) {
        if (TextUnit(notes, field, i) == 0) return false;
    }
    if (TextUnit(notes, field, kBareDateLength) != 0) return false;

    const MutableByteSpan writable = record200.subspan(record200::kToneNotesOffset, record200::notes::kSize);
    for (std::size_t i = 0; i < kDateSuffix.size(); ++i) {
        StoreU16(writable, field.UnitsOffset() + 2 * (kBareDateLength + i), kDateSuffix[i]);
    }
    const std::size_t length = kBareDateLength + kDateSuffix.size();
    StoreU16(writable, field.UnitsOffset() + 2 * length, 0);
    StoreU16(writable, field.offset, static_cast<std::uint16_t>(length));
    return true;
}

}  // namespace audiogram
