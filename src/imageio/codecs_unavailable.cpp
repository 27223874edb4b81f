// The formats that need libpng, libtiff or DCMTK, in a build without them.

#include "image_decoders.h"
#include "imageio/image_writers.h"

namespace imageio {

namespace {

constexpr const char* kUnavailable = " is not available in this build";

ReadResult Unavailable(const char* format) {
    ReadResult r;
    r.format = format;
    r.error = std::string("reading ") + format + kUnavailable;
    return r;
}

} // namespace

WriteResult WritePng(const FrameView&, const std::filesystem::path& path,
                     const ExportDescription&) {
    return {"cannot write " + path.string() + ": PNG" + kUnavailable, WriteFailure::Target};
}

WriteResult WriteDicom(const FrameView&, const std::filesystem::path& path,
                       const ExportDescription&) {
    return {"cannot write " + path.string() + ": DICOM" + kUnavailable, WriteFailure::Target};
}

ReadResult DecodeDicom(std::span<const std::uint8_t>, const ReadLimits&, bool) {
    return Unavailable("DICOM");
}

ReadResult DecodePng(std::span<const std::uint8_t>, const ReadLimits&, bool) {
    return Unavailable("PNG");
}

ReadResult DecodeTiff(std::span<const std::uint8_t>, const ReadLimits&, bool) {
    return Unavailable("TIFF");
}

} // namespace imageio
