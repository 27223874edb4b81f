#include "imageio/image_writers.h"
#include "writing.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace imageio {

namespace {

struct FormatFacts {
    ImageFormat format;
    std::string_view extension; // in lower case, without the dot
    const char* name;
};

constexpr FormatFacts kFormats[] = {
    {ImageFormat::Png, "png", "PNG"},
    {ImageFormat::Bmp, "bmp", "BMP"},
    {ImageFormat::Dicom, "dcm", "DICOM"},
};

} // namespace

std::optional<ImageFormat> FormatOfExtension(std::string_view extension) {
    for (const FormatFacts& f : kFormats) {
        if (f.extension == extension) {
            return f.format;
        }
    }
    return std::nullopt;
}

std::optional<ImageFormat> FormatFromExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    if (ext.empty()) {
        return std::nullopt;
    }
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return FormatOfExtension(std::string_view(ext).substr(1));
}

const char* FormatName(ImageFormat format) {
    for (const FormatFacts& f : kFormats) {
        if (f.format == format) {
            return f.name;
        }
    }
    return "?";
}

bool FormatAvailable(ImageFormat format) {
#ifdef LUMIVEX_IMAGEIO_CODECS
    (void)format;
    return true;
#else
    return format == ImageFormat::Bmp;
#endif
}

WriteResult WriteImage(const FrameView& frame, const std::filesystem::path& path,
                       const ExportDescription& description) {
    const std::optional<ImageFormat> format = FormatFromExtension(path);
    if (!format) {
        return CannotWrite(path, "unknown file type (the extension must be .png, .bmp or .dcm)",
                           WriteFailure::Target);
    }
    switch (*format) {
    case ImageFormat::Png:
        return WritePng(frame, path, description);
    case ImageFormat::Bmp:
        return WriteBmp(frame, path);
    case ImageFormat::Dicom:
        return WriteDicom(frame, path, description);
    }
    return {"cannot write " + path.string(), WriteFailure::Target};
}

} // namespace imageio
