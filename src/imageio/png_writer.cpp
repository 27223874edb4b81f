// PNG through libpng: 8-bit gray or 8-bit RGB, no colour-space chunks, text chunks that name
// the pattern.

#include "atomic_file.h"
#include "export_text.h"
#include "imageio/image_writers.h"

#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace imageio {

namespace {

// Everything the libpng calls need, prepared before setjmp so that a longjmp out of libpng
// skips no destructor.
struct PngWriteJob {
    const FrameView* frame = nullptr;
    bool gray = false;
    AtomicFile* file = nullptr;
    std::uint8_t* row = nullptr;
    png_text* texts = nullptr;
    int textCount = 0;
    char error[200] = {};
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngWriteJob*>(png_get_error_ptr(png));
    std::snprintf(job->error, sizeof job->error, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, png_size_t size) {
    auto* job = static_cast<PngWriteJob*>(png_get_io_ptr(png));
    if (!job->file->Write(data, size)) {
        png_error(png, "write failed");
    }
}

void OnPngFlush(png_structp) {}

// Returns false with job.error set when libpng failed.
bool RunPngWrite(PngWriteJob& job) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, OnPngError, OnPngWarning);
    if (png == nullptr) {
        std::snprintf(job.error, sizeof job.error, "out of memory");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    const FrameView& frame = *job.frame;
    png_set_write_fn(png, &job, OnPngWrite, OnPngFlush);
    // Test patterns are flat along rows or columns. The "up" filter and zlib level 3 take about
    // a quarter of the instructions of libpng's default (every filter tried on every row,
    // level 6) for files about twice as large, still around 1 % of the raw frame.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_set_compression_level(png, 3);
    png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width),
                 static_cast<png_uint_32>(frame.height), 8,
                 job.gray ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (job.textCount > 0) {
        png_set_text(png, info, job.texts, job.textCount);
    }
    png_write_info(png, info);
    for (int y = 0; y < frame.height; ++y) {
        const std::uint32_t* src = frame.Row(y);
        std::uint8_t* out = job.row;
        if (job.gray) {
            for (int x = 0; x < frame.width; ++x) {
                *out++ = static_cast<std::uint8_t>(src[x]);
            }
        } else {
            for (int x = 0; x < frame.width; ++x) {
                const std::uint32_t p = src[x];
                *out++ = static_cast<std::uint8_t>(p >> 16);
                *out++ = static_cast<std::uint8_t>(p >> 8);
                *out++ = static_cast<std::uint8_t>(p);
            }
        }
        png_write_row(png, job.row);
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

png_text MakeText(const char* key, std::string& value) {
    png_text t{};
    t.compression = PNG_TEXT_COMPRESSION_NONE;
    t.key = const_cast<char*>(key);
    t.text = value.data();
    t.text_length = value.size();
    return t;
}

} // namespace

WriteResult WritePng(const FrameView& frame, const std::filesystem::path& path,
                     const ExportDescription& description) {
    if (std::string problem = FrameProblem(frame); !problem.empty()) {
        return {"cannot write " + path.string() + ": " + problem, WriteFailure::Frame};
    }
    PngWriteJob job;
    job.frame = &frame;
    job.gray = IsGrayFrame(frame);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(frame.width) * (job.gray ? 1 : 3));
    job.row = row.data();

    std::string software = SoftwareName(description);
    std::string title = "Lumivex test pattern " + PatternTitle(description);
    std::string sentence = PatternSentence(description, frame.width, frame.height);
    std::array<png_text, 3> texts{MakeText("Software", software), MakeText("Title", title),
                                  MakeText("Description", sentence)};
    job.texts = texts.data();
    job.textCount = description.patternName.empty() && !description.patternNumber ? 1 : 3;

    AtomicFile file(path);
    if (file.Failed()) {
        return {file.Error(), WriteFailure::Target};
    }
    job.file = &file;
    if (!RunPngWrite(job) && !file.Failed()) {
        file.Fail(std::string("PNG encoding failed: ") + job.error);
    }
    if (!file.Commit()) {
        return {file.Error(), WriteFailure::Writing};
    }
    return {};
}

} // namespace imageio
