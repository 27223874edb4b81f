#pragma once
// Writing frames as PNG, BMP and DICOM files.
//
// Every writer writes to a new temporary file in the target's folder and renames it over the
// target only when the whole file has been written and flushed, so the target is either left
// as it was or replaced by the complete new file; a failed write leaves no file behind. The
// target must be a regular file or not exist yet: devices, pipes and folders are refused (as
// root, replacing /dev/null by an image would be a disaster).

#include "imageio/image.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace imageio {

// What a written frame shows, for the text chunks of a PNG file and the descriptive
// attributes of a DICOM file. Text is ASCII; anything else is replaced by '?'.
struct ExportDescription {
    std::optional<int> patternNumber; // none for the start screen
    std::string patternName;          // e.g. "Test_TG18-QC", or "Start screen"
    int grayLevel = 0;
    int stepCount = 128;
    bool labelsOn = true;
    std::string programVersion; // e.g. "1.0"

    // DICOM only. A batch of exports may share one study and series so that a viewer lists
    // them together; empty means a fresh UID for this file. The SOP instance UID is always
    // fresh.
    std::string studyInstanceUid;
    std::string seriesInstanceUid;
    int seriesNumber = 1;
    int instanceNumber = 1;
};

enum class ImageFormat { Png, Bmp, Dicom };

// The format named by a file's extension: .png, .bmp, .dcm (any case); none for others.
std::optional<ImageFormat> FormatFromExtension(const std::filesystem::path& path);
// The format of an extension as written in lower case without the dot: png, bmp, dcm.
std::optional<ImageFormat> FormatOfExtension(std::string_view extension);

// "PNG", "BMP", "DICOM".
const char* FormatName(ImageFormat format);

// False for the formats this build cannot write (a build without libpng and DCMTK writes
// only BMP); their writers then fail with "... not available in this build".
bool FormatAvailable(ImageFormat format);

// Why a write failed, for callers that answer bad arguments differently from failed writes.
enum class WriteFailure {
    None,
    Frame,   // the frame cannot be written: no pixels, size 0, or a side beyond kMaxImageSide
    Target,  // no file can be made at the path: unknown extension, format not in this build,
             // no such folder, no permission, a folder or a device in the way
    Writing, // the file was begun but not finished (a full disk, an I/O error); nothing is left
};

struct [[nodiscard]] WriteResult {
    std::string error; // names the file and the reason
    WriteFailure failure = WriteFailure::None;
    bool ok() const { return failure == WriteFailure::None; }
};

// 8-bit grayscale when every pixel is gray, otherwise 8-bit RGB. No chunk that would make a
// viewer change the values (gAMA, sRGB, iCCP, cHRM); tEXt Software, Title and Description
// from the description when it names a pattern.
WriteResult WritePng(const FrameView& frame, const std::filesystem::path& path,
                     const ExportDescription& description = {});

// 8 bits with a gray palette when every pixel is gray, otherwise 24 bits; bottom-up rows
// padded to 4 bytes after a BITMAPFILEHEADER and a BITMAPINFOHEADER. Needs no library.
WriteResult WriteBmp(const FrameView& frame, const std::filesystem::path& path);

// A Secondary Capture image (explicit VR little endian, with the file meta header):
// MONOCHROME2 8-bit when every pixel is gray, otherwise RGB 8-bit, interleaved. Patient,
// study and series say that this is a Lumivex test pattern; gray images carry a window of
// centre 127.5 and width 256, with which a viewer shows the stored values unchanged.
WriteResult WriteDicom(const FrameView& frame, const std::filesystem::path& path,
                       const ExportDescription& description);

// The writer for the file's extension; an unknown extension is an error.
WriteResult WriteImage(const FrameView& frame, const std::filesystem::path& path,
                       const ExportDescription& description);

// A fresh UID of the form 2.25.<the decimal value of a random (version 4) UUID>, which needs
// no registered root. Empty only if the system's random source fails.
std::string NewDicomUid();

} // namespace imageio
