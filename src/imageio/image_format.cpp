#include "imageio/image_writers.h"

#include <algorithm>
#include <cctype>

namespace imageio {

std::optional<ImageFormat> FormatFromExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (ext == ".png") {
        return ImageFormat::Png;
    }
    if (ext == ".bmp") {
        return ImageFormat::Bmp;
    }
    if (ext == ".dcm") {
        return ImageFormat::Dicom;
    }
    return std::nullopt;
}

const char* FormatName(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png:
        return "PNG";
    case ImageFormat::Bmp:
        return "BMP";
    case ImageFormat::Dicom:
        return "DICOM";
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
        return {"cannot write " + path.string() +
                    ": unknown file type (the extension must be .png, .bmp or .dcm)",
                WriteFailure::Target};
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
