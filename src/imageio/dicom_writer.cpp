// DICOM Secondary Capture images through DCMTK.
//
// The attributes are those the Secondary Capture Image IOD asks for, module by module, with
// every type 1 and type 2 attribute present: Patient, General Study, General Series, General
// Equipment, SC Equipment, General Image, Image Pixel, SC Image, VOI LUT and SOP Common. The
// patient is plainly not a person, so that nobody takes a test pattern for a patient image.

#include "atomic_file.h"
#include "dicom_setup.h"
#include "export_text.h"
#include "imageio/image_writers.h"

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcostrma.h>
#include <dcmtk/dcmdata/dcpixel.h>
#include <dcmtk/dcmdata/dcuid.h>

#include <cstdio>
#include <ctime>

namespace imageio {

namespace {

constexpr const char* kSecondaryCaptureSopClass = "1.2.840.10008.5.1.4.1.1.7";

// Hands DCMTK's output to the atomic file, whose errors DCMTK then reports as its own.
class AtomicFileConsumer : public DcmConsumer {
  public:
    explicit AtomicFileConsumer(AtomicFile& file) : file_(file) {}
    OFBool good() const override { return status_.good(); }
    OFCondition status() const override { return status_; }
    OFBool isFlushed() const override { return OFTrue; }
    offile_off_t avail() const override { return 0x7FFFFFFF; }
    offile_off_t write(const void* buf, offile_off_t length) override {
        if (status_.good() && length > 0 && !file_.Write(buf, static_cast<std::size_t>(length))) {
            status_ = makeOFCondition(OFM_dcmdata, 19, OF_error, "write failed");
        }
        return status_.good() ? length : 0;
    }
    void flush() override {}

  private:
    AtomicFile& file_;
    OFCondition status_ = EC_Normal;
};

class AtomicFileStream : public DcmOutputStream {
  public:
    explicit AtomicFileStream(AtomicFile& file) : DcmOutputStream(&consumer_), consumer_(file) {}

  private:
    AtomicFileConsumer consumer_;
};

struct Timestamp {
    std::string date; // YYYYMMDD
    std::string time; // HHMMSS
    std::string zone; // +HHMM
};

Timestamp Now() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char date[16];
    char time[16];
    char zone[16];
    std::strftime(date, sizeof date, "%Y%m%d", &local);
    std::strftime(time, sizeof time, "%H%M%S", &local);
    std::strftime(zone, sizeof zone, "%z", &local);
    return {date, time, zone};
}

// Long strings (LO) hold at most 64 characters.
std::string Lo(const std::string& s) {
    return AsciiText(s).substr(0, 64);
}

class DatasetBuilder {
  public:
    explicit DatasetBuilder(DcmDataset& dataset) : dataset_(dataset) {}

    void Put(const DcmTagKey& tag, const std::string& value) {
        if (status_.good()) {
            status_ = dataset_.putAndInsertString(tag, value.c_str());
        }
    }
    void PutUint16(const DcmTagKey& tag, Uint16 value) {
        if (status_.good()) {
            status_ = dataset_.putAndInsertUint16(tag, value);
        }
    }
    const OFCondition& Status() const { return status_; }

  private:
    DcmDataset& dataset_;
    OFCondition status_ = EC_Normal;
};

OFCondition PutPixelData(DcmDataset& dataset, const FrameView& frame, bool gray) {
    const std::size_t samples = gray ? 1 : 3;
    const std::size_t length = static_cast<std::size_t>(frame.width) * frame.height * samples;
    // Values have even lengths; the pad byte is 0.
    const std::size_t padded = (length + 1) / 2 * 2;
    auto* pixelData = new DcmPixelData(DcmTag(DCM_PixelData, EVR_OB));
    OFCondition status = dataset.insert(pixelData, OFTrue);
    if (status.bad()) {
        delete pixelData;
        return status;
    }
    Uint8* out = nullptr;
    status = pixelData->createUint8Array(static_cast<Uint32>(padded), out);
    if (status.bad() || out == nullptr) {
        return status.bad() ? status : EC_MemoryExhausted;
    }
    for (int y = 0; y < frame.height; ++y) {
        const std::uint32_t* src = frame.Row(y);
        if (gray) {
            for (int x = 0; x < frame.width; ++x) {
                *out++ = static_cast<Uint8>(src[x]);
            }
        } else {
            for (int x = 0; x < frame.width; ++x) {
                const std::uint32_t p = src[x];
                *out++ = static_cast<Uint8>(p >> 16);
                *out++ = static_cast<Uint8>(p >> 8);
                *out++ = static_cast<Uint8>(p);
            }
        }
    }
    if (padded != length) {
        *out = 0;
    }
    return EC_Normal;
}

} // namespace

WriteResult WriteDicom(const FrameView& frame, const std::filesystem::path& path,
                       const ExportDescription& description) {
    if (std::string problem = FrameProblem(frame); !problem.empty()) {
        return {"cannot write " + path.string() + ": " + problem, WriteFailure::Frame};
    }
    if (std::string problem = DicomDictionaryProblem(); !problem.empty()) {
        return {"cannot write " + path.string() + ": " + problem, WriteFailure::Target};
    }
    const std::string study =
        description.studyInstanceUid.empty() ? NewDicomUid() : description.studyInstanceUid;
    const std::string series =
        description.seriesInstanceUid.empty() ? NewDicomUid() : description.seriesInstanceUid;
    const std::string instance = NewDicomUid();
    if (study.empty() || series.empty() || instance.empty()) {
        return {"cannot write " + path.string() + ": the system's random source failed",
                WriteFailure::Writing};
    }
    const bool gray = IsGrayFrame(frame);
    const Timestamp now = Now();
    const std::string software = Lo(SoftwareName(description));
    const std::string version =
        AsciiText(description.programVersion.empty() ? std::string("unknown")
                                                     : description.programVersion)
            .substr(0, 64);

    DcmFileFormat file;
    DcmDataset& dataset = *file.getDataset();
    DatasetBuilder b(dataset);

    // SOP Common
    b.Put(DCM_SOPClassUID, kSecondaryCaptureSopClass);
    b.Put(DCM_SOPInstanceUID, instance);
    b.Put(DCM_InstanceCreationDate, now.date);
    b.Put(DCM_InstanceCreationTime, now.time);
    b.Put(DCM_TimezoneOffsetFromUTC, now.zone);

    // Patient: a test pattern, not a person.
    b.Put(DCM_PatientName, "Lumivex^Test pattern");
    b.Put(DCM_PatientID, "LUMIVEX-TEST");
    b.Put(DCM_PatientBirthDate, "");
    b.Put(DCM_PatientSex, "O");
    b.Put(DCM_PatientComments, "Not a patient: a synthetic display test pattern made by Lumivex.");

    // General Study
    b.Put(DCM_StudyInstanceUID, study);
    b.Put(DCM_StudyDate, now.date);
    b.Put(DCM_StudyTime, now.time);
    b.Put(DCM_ReferringPhysicianName, "");
    b.Put(DCM_StudyID, "LUMIVEX");
    b.Put(DCM_AccessionNumber, "");
    b.Put(DCM_StudyDescription, Lo("Lumivex test pattern " + PatternTitle(description)));

    // General Series
    b.Put(DCM_Modality, "OT");
    b.Put(DCM_SeriesInstanceUID, series);
    b.Put(DCM_SeriesNumber, std::to_string(description.seriesNumber));
    // Conditional on a paired body part; checkers cannot tell that none is shown, so it is
    // given, empty.
    b.Put(DCM_Laterality, "");
    b.Put(DCM_SeriesDate, now.date);
    b.Put(DCM_SeriesTime, now.time);
    b.Put(DCM_SeriesDescription, Lo(PatternStateLine(description, frame.width, frame.height)));

    // General Equipment and SC Equipment
    b.Put(DCM_Manufacturer, "Lumivex");
    b.Put(DCM_ManufacturerModelName, "Lumivex");
    b.Put(DCM_SoftwareVersions, version);
    b.Put(DCM_ConversionType, "WSD");
    b.Put(DCM_SecondaryCaptureDeviceManufacturer, "Lumivex");
    b.Put(DCM_SecondaryCaptureDeviceManufacturerModelName, "Lumivex");
    b.Put(DCM_SecondaryCaptureDeviceSoftwareVersions, version);

    // General Image and SC Image
    b.Put(DCM_InstanceNumber, std::to_string(description.instanceNumber));
    b.Put(DCM_PatientOrientation, "");
    b.Put(DCM_ContentDate, now.date);
    b.Put(DCM_ContentTime, now.time);
    b.Put(DCM_ImageType, "DERIVED\\SECONDARY");
    b.Put(DCM_DerivationDescription, Lo("Drawn by " + software));
    b.Put(DCM_ImageComments, PatternSentence(description, frame.width, frame.height));
    b.Put(DCM_BurnedInAnnotation, "NO");
    b.Put(DCM_LossyImageCompression, "00");
    b.Put(DCM_DateOfSecondaryCapture, now.date);
    b.Put(DCM_TimeOfSecondaryCapture, now.time);

    // Image Pixel
    b.PutUint16(DCM_SamplesPerPixel, gray ? 1 : 3);
    b.Put(DCM_PhotometricInterpretation, gray ? "MONOCHROME2" : "RGB");
    if (!gray) {
        b.PutUint16(DCM_PlanarConfiguration, 0);
    }
    b.PutUint16(DCM_Rows, static_cast<Uint16>(frame.height));
    b.PutUint16(DCM_Columns, static_cast<Uint16>(frame.width));
    b.PutUint16(DCM_BitsAllocated, 8);
    b.PutUint16(DCM_BitsStored, 8);
    b.PutUint16(DCM_HighBit, 7);
    b.PutUint16(DCM_PixelRepresentation, 0);

    // VOI LUT: with the linear function of the standard, centre 127.5 and width 256 leave
    // stored values where they are on an 8-bit output.
    if (gray) {
        b.Put(DCM_WindowCenter, "127.5");
        b.Put(DCM_WindowWidth, "256");
        b.Put(DCM_WindowCenterWidthExplanation, "Stored values unchanged");
    }

    OFCondition status = b.Status();
    if (status.good()) {
        status = PutPixelData(dataset, frame, gray);
    }
    if (status.bad()) {
        return {"cannot write " + path.string() + ": " + status.text(), WriteFailure::Writing};
    }

    AtomicFile out(path);
    if (out.Failed()) {
        return {out.Error(), WriteFailure::Target};
    }
    {
        AtomicFileStream stream(out);
        file.transferInit();
        status = file.write(stream, EXS_LittleEndianExplicit, EET_ExplicitLength, nullptr,
                            EGL_recalcGL, EPD_noChange, 0, 0, 0, EWM_fileformat);
        file.transferEnd();
    }
    if (status.bad() && !out.Failed()) {
        out.Fail(std::string("DICOM encoding failed: ") + status.text());
    }
    if (!out.Commit()) {
        return {out.Error(), WriteFailure::Writing};
    }
    return {};
}

} // namespace imageio
