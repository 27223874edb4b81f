// Gray images from PNG files through libpng: gray of any depth, and RGB or palette images
// whose pixels are all gray. Transparency is ignored, and so is sBIT: PNG samples always span
// their depth's full range (a 12-bit image is stored scaled up to 16 bits), sBIT only records
// the original precision.
//
// Sections: the chunk walk (text, and sizes checked against the file) · the libpng calls,
// behind setjmp · reduction of rows to gray · DecodePng

#include "gray_mapping.h"
#include "image_decoders.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace imageio {

namespace {

// Interlaced images are decoded whole before they are reduced to gray; beyond this they are
// refused rather than take that much memory.
constexpr std::size_t kMaxInterlacedBuffer = std::size_t{256} << 20;

ReadResult Failure(std::string reason) {
    ReadResult r;
    r.format = "PNG";
    r.error = std::move(reason);
    return r;
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

struct ChunkWalk {
    std::string text;                 // the tEXt and uncompressed iTXt values
    bool complete = true;             // false when a chunk runs past the end of the file
    std::uint64_t imageDataBytes = 0; // all IDAT chunks together
};

// Deflate never expands data by more than 1032 to 1 (a run coded as 258-byte matches).
constexpr std::uint64_t kMaxDeflateRatio = 1032;

// Walks the chunks without decoding them. A chunk that claims more bytes than the file holds
// is found here, before libpng takes memory for it (it would take up to 2 GB for the claim).
ChunkWalk WalkChunks(std::span<const std::uint8_t> bytes) {
    ChunkWalk walk;
    std::string& text = walk.text;
    std::size_t pos = 8;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < 12) {
            walk.complete = false;
            break;
        }
        const std::uint32_t length = BigEndian32(&bytes[pos]);
        const std::uint8_t* type = &bytes[pos + 4];
        if (length > bytes.size() - pos - 12) {
            walk.complete = false;
            break;
        }
        const auto* data = reinterpret_cast<const char*>(&bytes[pos + 8]);
        const std::string_view chunk(data, length);
        const std::size_t keyEnd = chunk.find('\0');
        if (keyEnd != std::string_view::npos) {
            if (std::memcmp(type, "tEXt", 4) == 0) {
                AppendText(text, chunk.substr(keyEnd + 1));
            } else if (std::memcmp(type, "iTXt", 4) == 0 && keyEnd + 3 <= chunk.size() &&
                       chunk[keyEnd + 1] == 0) {
                // keyword, compression flag and method, language tag, translated keyword
                const std::size_t language = chunk.find('\0', keyEnd + 3);
                const std::size_t translated = language == std::string_view::npos
                                                   ? std::string_view::npos
                                                   : chunk.find('\0', language + 1);
                if (translated != std::string_view::npos) {
                    AppendText(text, chunk.substr(translated + 1));
                }
            }
        }
        if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        if (std::memcmp(type, "IDAT", 4) == 0) {
            walk.imageDataBytes += length;
        }
        pos += 12 + std::size_t{length};
    }
    return walk;
}

// What the libpng calls share. Only plain data: a longjmp out of libpng must skip no
// destructor.
struct PngReadJob {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t offset = 0;
    int maxSide = 0;
    char error[200] = {};

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0; // after the transformations: 8 or 16
    int channels = 0; // after the transformations: 1 or 3
    int passes = 1;
    std::size_t rowBytes = 0;
};

void OnPngError(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngReadJob*>(png_get_error_ptr(png));
    std::snprintf(job->error, sizeof job->error, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngRead(png_structp png, png_bytep out, png_size_t length) {
    auto* job = static_cast<PngReadJob*>(png_get_io_ptr(png));
    if (length > job->size - job->offset) {
        png_error(png, "truncated");
    }
    std::memcpy(out, job->data + job->offset, length);
    job->offset += length;
}

class PngReadStruct {
  public:
    explicit PngReadStruct(PngReadJob& job) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, OnPngError, OnPngWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
    }
    ~PngReadStruct() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReadStruct(const PngReadStruct&) = delete;
    PngReadStruct& operator=(const PngReadStruct&) = delete;

    bool Valid() const { return png_ != nullptr && info_ != nullptr; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

  private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// Reads the header and sets up the reduction to 8- or 16-bit gray or RGB samples.
bool ReadHeader(const PngReadStruct& s, PngReadJob& job) {
    png_structp png = s.Png();
    png_infop info = s.Info();
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, &job, OnPngRead);
    png_set_user_limits(png, static_cast<png_uint_32>(job.maxSide),
                        static_cast<png_uint_32>(job.maxSide));
    png_set_chunk_cache_max(png, 128);
    png_set_chunk_malloc_max(png, 1 << 20);
    png_read_info(png, info);
    const int colorType = png_get_color_type(png, info);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    png_set_strip_alpha(png);
    job.passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    job.width = png_get_image_width(png, info);
    job.height = png_get_image_height(png, info);
    job.bitDepth = png_get_bit_depth(png, info);
    job.channels = png_get_channels(png, info);
    job.rowBytes = png_get_rowbytes(png, info);
    return true;
}

// Reads all rows into `rows` (height pointers into one buffer).
bool ReadAllRows(const PngReadStruct& s, PngReadJob& job, png_bytepp rows) {
    if (setjmp(png_jmpbuf(s.Png()))) {
        return false;
    }
    for (int pass = 0; pass < job.passes; ++pass) {
        for (png_uint_32 y = 0; y < job.height; ++y) {
            png_read_row(s.Png(), rows[y], nullptr);
        }
    }
    return true;
}

// Reads the next row of a non-interlaced image.
bool ReadOneRow(const PngReadStruct& s, PngReadJob& job, png_bytep row) {
    (void)job;
    if (setjmp(png_jmpbuf(s.Png()))) {
        return false;
    }
    png_read_row(s.Png(), row, nullptr);
    return true;
}

// Reduces one decoded row to gray; false when its red, green and blue differ somewhere.
bool RowToGray(const PngReadJob& job, const std::uint8_t* row, std::uint8_t* out) {
    const bool wide = job.bitDepth == 16;
    for (png_uint_32 x = 0; x < job.width; ++x) {
        std::uint32_t v[3] = {0, 0, 0};
        for (int c = 0; c < job.channels; ++c) {
            const std::size_t i = static_cast<std::size_t>(x) * job.channels + c;
            v[c] = wide ? (std::uint32_t{row[2 * i]} << 8) | row[2 * i + 1] : row[i];
        }
        if (job.channels == 3 && (v[0] != v[1] || v[1] != v[2])) {
            return false;
        }
        out[x] = wide ? ScaleBitDepth(v[0], 16) : static_cast<std::uint8_t>(v[0]);
    }
    return true;
}

} // namespace

ReadResult DecodePng(std::span<const std::uint8_t> bytes, const ReadLimits& limits, bool pixels) {
    ReadResult result;
    result.format = "PNG";
    const ChunkWalk walk = WalkChunks(bytes);
    result.text = walk.text;
    if (bytes.size() < 8 + 25 || !walk.complete) {
        return Failure("truncated");
    }
    // The header alone decides the size, before libpng takes any memory for rows.
    const std::int64_t width = BigEndian32(&bytes[16]);
    const std::int64_t height = BigEndian32(&bytes[20]);
    if (std::memcmp(&bytes[12], "IHDR", 4) != 0) {
        return Failure("damaged PNG file: no IHDR chunk first");
    }
    if (std::string problem = SizeProblem(width, height, limits); !problem.empty()) {
        return Failure(problem);
    }
    if (!pixels) {
        return result;
    }
    // Rows of filter byte and samples at the stored depth; the image data cannot hold more
    // than the deflate ratio allows, so a small file cannot make the reader allocate for a
    // huge image it does not contain.
    static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
    const int colorType = bytes[25];
    const std::uint64_t bitsPerPixel =
        std::uint64_t{bytes[24]} * (colorType < 7 ? kChannels[colorType] : 4);
    const std::uint64_t rawBytes = static_cast<std::uint64_t>(height) *
                                   ((static_cast<std::uint64_t>(width) * bitsPerPixel + 7) / 8 + 1);
    if (rawBytes > walk.imageDataBytes * kMaxDeflateRatio + 1024) {
        return Failure("truncated");
    }

    PngReadJob job;
    job.data = bytes.data();
    job.size = bytes.size();
    job.maxSide = limits.maxSide;
    PngReadStruct png(job);
    if (!png.Valid()) {
        return Failure("out of memory");
    }
    auto libpngFailure = [&job] {
        return Failure(std::strcmp(job.error, "truncated") == 0
                           ? std::string("truncated")
                           : std::string("damaged PNG file: ") + job.error);
    };
    if (!ReadHeader(png, job)) {
        return libpngFailure();
    }
    if ((job.channels != 1 && job.channels != 3) || (job.bitDepth != 8 && job.bitDepth != 16) ||
        job.rowBytes != static_cast<std::size_t>(job.width) * job.channels * (job.bitDepth / 8)) {
        return Failure("unsupported: " + std::to_string(job.channels) + " channels of " +
                       std::to_string(job.bitDepth) + " bits");
    }
    result.image.width = static_cast<int>(job.width);
    result.image.height = static_cast<int>(job.height);
    result.image.pixels.resize(static_cast<std::size_t>(job.width) * job.height);
    auto notGray = [] { return Failure("unsupported: a colour image (not every pixel is gray)"); };

    if (job.passes > 1) {
        if (job.rowBytes > kMaxInterlacedBuffer / job.height) {
            return Failure("unsupported: an interlaced image this large");
        }
        std::vector<std::uint8_t> buffer(job.rowBytes * job.height);
        std::vector<png_bytep> rows(job.height);
        for (png_uint_32 y = 0; y < job.height; ++y) {
            rows[y] = buffer.data() + job.rowBytes * y;
        }
        if (!ReadAllRows(png, job, rows.data())) {
            return libpngFailure();
        }
        for (png_uint_32 y = 0; y < job.height; ++y) {
            if (!RowToGray(job, rows[y], &result.image.pixels[std::size_t{y} * job.width])) {
                return notGray();
            }
        }
        return result;
    }
    std::vector<std::uint8_t> row(job.rowBytes);
    for (png_uint_32 y = 0; y < job.height; ++y) {
        if (!ReadOneRow(png, job, row.data())) {
            return libpngFailure();
        }
        if (!RowToGray(job, row.data(), &result.image.pixels[std::size_t{y} * job.width])) {
            return notGray();
        }
    }
    return result;
}

} // namespace imageio
