// Gray images from DICOM files through DCMTK: uncompressed MONOCHROME1 and MONOCHROME2 pixel
// data of 8 or 16 bits allocated, mapped to 8 bits by the file's own window or VOI LUT.

#include "dicom_memory_stream.h"
#include "dicom_setup.h"
#include "gray_mapping.h"
#include "image_decoders.h"

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcxfer.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace imageio {

namespace {

// Values longer than this are not loaded while the file is parsed but when they are used (see
// dicom_memory_stream.h).
constexpr Uint32 kMaxParsedValueLength = 4096;

// The deflated transfer syntax compresses the data set; DCMTK then cannot defer the loading of
// long values, so a damaged file could make it allocate gigabytes. The UID sits in the file
// meta information at the start.
bool NamesDeflatedTransferSyntax(std::span<const std::uint8_t> bytes) {
    static constexpr std::string_view kDeflated = "1.2.840.10008.1.2.1.99";
    const std::string_view head(reinterpret_cast<const char*>(bytes.data()),
                                std::min<std::size_t>(bytes.size(), 64 * 1024));
    return head.find(kDeflated) != std::string_view::npos;
}

ReadResult Failure(std::string reason) {
    ReadResult r;
    r.format = "DICOM";
    r.error = std::move(reason);
    return r;
}

// The first value of a string attribute, without padding; empty when absent.
std::string FirstValue(DcmItem& item, const DcmTagKey& tag) {
    OFString value;
    if (item.findAndGetOFString(tag, value, 0).bad()) {
        return {};
    }
    std::string s(value.c_str());
    const std::size_t start = s.find_first_not_of(' ');
    const std::size_t end = s.find_last_not_of(' ');
    return start == std::string::npos ? std::string() : s.substr(start, end - start + 1);
}

// A decimal string (DS) value; none when absent or not a finite number.
std::optional<double> DecimalValue(DcmItem& item, const DcmTagKey& tag) {
    const std::string s = FirstValue(item, tag);
    if (s.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || *end != '\0' || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<Uint16> Uint16Value(DcmItem& item, const DcmTagKey& tag, unsigned long pos = 0) {
    Uint16 v = 0;
    if (item.findAndGetUint16(tag, v, pos).bad()) {
        return std::nullopt;
    }
    return v;
}

// Every string value of the data set's own attributes that describes something: names,
// descriptions, comments, labels.
std::string DescriptiveText(DcmDataset& dataset) {
    std::string text;
    for (unsigned long i = 0; i < dataset.card(); ++i) {
        DcmElement* element = dataset.getElement(i);
        // Only what comes before the pixel data, so that reading the headers alone gives the
        // same text; anything after it is padding or private.
        if (element == nullptr || !(element->getTag() < DCM_PixelData)) {
            continue;
        }
        switch (element->ident()) {
        case EVR_LO:
        case EVR_SH:
        case EVR_ST:
        case EVR_LT:
        case EVR_UT:
        case EVR_PN: {
            OFString value;
            if (element->getOFStringArray(value).good()) {
                AppendText(text, std::string_view(value.c_str(), value.length()));
            }
            break;
        }
        default:
            break;
        }
    }
    return text;
}

std::optional<VoiWindow> WindowOf(DcmDataset& dataset) {
    const std::optional<double> center = DecimalValue(dataset, DCM_WindowCenter);
    const std::optional<double> width = DecimalValue(dataset, DCM_WindowWidth);
    if (!center || !width) {
        return std::nullopt;
    }
    VoiWindow window{*center, *width, VoiFunction::Linear};
    const std::string function = FirstValue(dataset, DCM_VOILUTFunction);
    if (function == "LINEAR_EXACT") {
        window.function = VoiFunction::LinearExact;
    } else if (function == "SIGMOID") {
        window.function = VoiFunction::Sigmoid;
    }
    // The standard requires w >= 1 (LINEAR) or w > 0; a window that breaks it is ignored.
    const bool valid =
        window.function == VoiFunction::Linear ? window.width >= 1 : window.width > 0;
    return valid ? std::optional<VoiWindow>(window) : std::nullopt;
}

std::optional<VoiLut> LutOf(DcmDataset& dataset, bool signedPixels) {
    DcmItem* item = nullptr;
    if (dataset.findAndGetSequenceItem(DCM_VOILUTSequence, item, 0).bad() || item == nullptr) {
        return std::nullopt;
    }
    const std::optional<Uint16> count = Uint16Value(*item, DCM_LUTDescriptor, 0);
    const std::optional<Uint16> first = Uint16Value(*item, DCM_LUTDescriptor, 1);
    const std::optional<Uint16> bits = Uint16Value(*item, DCM_LUTDescriptor, 2);
    const Uint16* data = nullptr;
    unsigned long available = 0;
    if (!count || !first || !bits || *bits < 1 || *bits > 16 ||
        item->findAndGetUint16Array(DCM_LUTData, data, &available).bad() || data == nullptr) {
        return std::nullopt;
    }
    const unsigned long entries = *count == 0 ? 65536 : *count; // 0 stands for 2^16
    if (available < entries) {
        return std::nullopt;
    }
    VoiLut lut;
    lut.firstMapped = signedPixels ? static_cast<std::int16_t>(*first) : *first;
    lut.bits = *bits;
    lut.entries.assign(data, data + entries);
    return lut;
}

ReadResult DecodePixels(DcmDataset& dataset, const ReadLimits& limits, ReadResult result) {
    const std::optional<Uint16> rows = Uint16Value(dataset, DCM_Rows);
    const std::optional<Uint16> columns = Uint16Value(dataset, DCM_Columns);
    if (!rows || !columns) {
        return Failure("no image (Rows or Columns missing)");
    }
    if (std::string problem = SizeProblem(*columns, *rows, limits); !problem.empty()) {
        return Failure(problem);
    }
    const Uint16 samples = Uint16Value(dataset, DCM_SamplesPerPixel).value_or(1);
    if (samples != 1) {
        return Failure("unsupported: " + std::to_string(samples) + " samples per pixel");
    }
    std::string photometric = FirstValue(dataset, DCM_PhotometricInterpretation);
    if (photometric.empty()) {
        photometric = "MONOCHROME2"; // files from before the attribute existed
    }
    if (photometric != "MONOCHROME1" && photometric != "MONOCHROME2") {
        return Failure("unsupported: photometric interpretation " + photometric);
    }
    const std::optional<Uint16> allocated = Uint16Value(dataset, DCM_BitsAllocated);
    if (!allocated || (*allocated != 8 && *allocated != 16)) {
        return Failure(
            "unsupported: " + (allocated ? std::to_string(*allocated) : std::string("no")) +
            " bits allocated (8 or 16 are read)");
    }
    const Uint16 stored = Uint16Value(dataset, DCM_BitsStored).value_or(*allocated);
    const Uint16 highBit = Uint16Value(dataset, DCM_HighBit).value_or(stored - 1);
    if (stored < 1 || stored > *allocated || highBit + 1 < stored || highBit >= *allocated) {
        return Failure("inconsistent: " + std::to_string(stored) + " bits stored with high bit " +
                       std::to_string(highBit) + " in " + std::to_string(*allocated) + " bits");
    }
    const Uint16 representation = Uint16Value(dataset, DCM_PixelRepresentation).value_or(0);
    const DcmXfer xfer(dataset.getOriginalXfer());
    if (xfer.isEncapsulated()) {
        return Failure(std::string("unsupported: compressed pixel data (") + xfer.getXferName() +
                       "); decompress the file first, e.g. with dcmdjpeg or dcmconv");
    }
    DcmItem* modalityLut = nullptr;
    if (dataset.findAndGetSequenceItem(DCM_ModalityLUTSequence, modalityLut, 0).good()) {
        return Failure("unsupported: a Modality LUT Sequence");
    }

    SampleMapping mapping;
    mapping.bitsStored = stored;
    mapping.isSigned = representation == 1;
    mapping.rescaleSlope = DecimalValue(dataset, DCM_RescaleSlope).value_or(1.0);
    mapping.rescaleIntercept = DecimalValue(dataset, DCM_RescaleIntercept).value_or(0.0);
    if (mapping.rescaleSlope == 0) {
        return Failure("unsupported: RescaleSlope 0");
    }
    mapping.window = WindowOf(dataset);
    if (!mapping.window) {
        mapping.lut = LutOf(dataset, mapping.isSigned);
    }
    mapping.invert = photometric == "MONOCHROME1";

    DcmElement* pixelData = nullptr;
    if (dataset.findAndGetElement(DCM_PixelData, pixelData).bad() || pixelData == nullptr) {
        return Failure("no pixel data");
    }
    const std::size_t count = static_cast<std::size_t>(*rows) * *columns;
    const std::size_t bytesPerSample = *allocated / 8;
    // Only the first frame of a multi-frame image is read.
    Uint8* bytes = nullptr;
    Uint16* words = nullptr;
    std::size_t availableBytes = 0;
    if (bytesPerSample == 2 && pixelData->getUint16Array(words).good() && words != nullptr) {
        availableBytes = pixelData->getLength();
    } else if (pixelData->getUint8Array(bytes).good() && bytes != nullptr) {
        availableBytes = pixelData->getLength();
        words = nullptr;
    } else {
        return Failure("no pixel data");
    }
    if (availableBytes / bytesPerSample < count) {
        return Failure("truncated: the pixel data holds " +
                       std::to_string(availableBytes / bytesPerSample) + " of " +
                       std::to_string(count) + " pixels");
    }

    const std::vector<std::uint8_t> table = BuildGrayTable(mapping);
    const unsigned shift = highBit + 1u - stored;
    const std::uint32_t mask = (1u << stored) - 1;
    result.image.width = *columns;
    result.image.height = *rows;
    result.image.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t raw;
        if (words != nullptr) {
            raw = words[i];
        } else if (bytesPerSample == 2) {
            // OB data of 16-bit samples: little endian, as the transfer syntax stores it.
            raw = bytes[2 * i] | (static_cast<std::uint32_t>(bytes[2 * i + 1]) << 8);
        } else {
            raw = bytes[i];
        }
        result.image.pixels[i] = table[(raw >> shift) & mask];
    }
    return result;
}

} // namespace

ReadResult DecodeDicom(std::span<const std::uint8_t> bytes, const ReadLimits& limits, bool pixels) {
    if (std::string problem = DicomDictionaryProblem(); !problem.empty()) {
        return Failure(problem);
    }
    if (NamesDeflatedTransferSyntax(bytes)) {
        return Failure("unsupported: deflated transfer syntax; convert the file first, e.g. with "
                       "dcmconv +te");
    }
    MemoryInputStream stream(bytes);
    DcmFileFormat file;
    file.transferInit();
    const OFCondition status =
        pixels ? file.read(stream, EXS_Unknown, EGL_noChange, kMaxParsedValueLength)
               : file.readUntilTag(stream, EXS_Unknown, EGL_noChange, kMaxParsedValueLength,
                                   DCM_PixelData);
    file.transferEnd();
    // DCMTK stops with "Invalid stream" or "stream notify client" when a value runs past the
    // end of the data; either way all the data has been consumed.
    if (status.bad() && (status == EC_StreamNotifyClient || stream.eos())) {
        return Failure("truncated");
    }
    if (status.bad()) {
        return Failure(std::string("not a readable DICOM file: ") + status.text());
    }
    DcmDataset* dataset = file.getDataset();
    if (dataset == nullptr) {
        return Failure("not a readable DICOM file");
    }
    ReadResult result;
    result.format = "DICOM";
    result.text = DescriptiveText(*dataset);
    if (!pixels) {
        return result;
    }
    return DecodePixels(*dataset, limits, std::move(result));
}

} // namespace imageio
