// Gray images from TIFF files through libtiff: the first image of the file, one sample of 8
// or 16 bits per pixel, black or white is zero, in strips or tiles, with any compression
// libtiff decodes.
//
// Sections: the file in memory as libtiff's client procedures · text and samples · the bound
// of the data's expansion · orientation · DecodeTiff

#include "gray_mapping.h"
#include "image_decoders.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace imageio {

namespace {

ReadResult Failure(std::string reason) {
    ReadResult r;
    r.format = "TIFF";
    r.error = std::move(reason);
    return r;
}

// The file in memory, as libtiff's client procedures see it.
struct MemoryFile {
    const std::uint8_t* data = nullptr;
    std::uint64_t size = 0;
    std::uint64_t pos = 0;
    std::string firstError;
};

tmsize_t ReadProc(thandle_t handle, void* out, tmsize_t length) {
    auto* f = static_cast<MemoryFile*>(handle);
    if (length <= 0 || f->pos >= f->size) {
        return 0;
    }
    const std::uint64_t n =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(length), f->size - f->pos);
    std::memcpy(out, f->data + f->pos, n);
    f->pos += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(handle);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR) {
        base = f->pos;
    } else if (whence == SEEK_END) {
        base = f->size;
    }
    if (offset > UINT64_MAX - base) {
        return static_cast<toff_t>(-1);
    }
    f->pos = base + offset;
    return f->pos;
}

int CloseProc(thandle_t) {
    return 0;
}
toff_t SizeProc(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->size;
}
int MapProc(thandle_t, void**, toff_t*) {
    return 0;
}
void UnmapProc(thandle_t, void*, toff_t) {}

int OnTiffError(TIFF*, void* user, const char* module, const char* format, va_list args) {
    auto* f = static_cast<MemoryFile*>(user);
    if (f->firstError.empty()) {
        char message[256];
        std::vsnprintf(message, sizeof message, format, args);
        f->firstError = message;
        (void)module;
    }
    return 1; // handled: nothing goes to standard error
}

int OnTiffWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* o) const { TIFFOpenOptionsFree(o); }
};

std::string DescriptiveText(TIFF* tif) {
    std::string text;
    for (const ttag_t tag : {TIFFTAG_IMAGEDESCRIPTION, TIFFTAG_DOCUMENTNAME, TIFFTAG_PAGENAME}) {
        const char* value = nullptr;
        if (TIFFGetField(tif, tag, &value) == 1 && value != nullptr) {
            AppendText(text, value);
        }
    }
    return text;
}

// Copies `count` samples of a decoded strip or tile row through the table.
void MapSamples(const std::uint8_t* in, int bits, std::size_t count,
                const std::vector<std::uint8_t>& table, std::uint8_t* out) {
    if (bits == 8) {
        for (std::size_t i = 0; i < count; ++i) {
            out[i] = table[in[i]];
        }
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            std::uint16_t v;
            std::memcpy(&v, in + 2 * i, 2); // libtiff has put it in the host's byte order
            out[i] = table[v];
        }
    }
}

// The most a compression scheme expands its data, where there is such a bound: PackBits 128
// bytes from 2, deflate 1032 to 1, LZW at most 4096 bytes from one 9-bit code.
std::uint64_t MaxExpansion(std::uint16_t compression) {
    switch (compression) {
    case COMPRESSION_NONE:
        return 1;
    case COMPRESSION_PACKBITS:
        return 64;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
        return 1032;
    case COMPRESSION_LZW:
        return 4096;
    default:
        return 0; // no bound known
    }
}

// Whether the strips or tiles, as far as the file holds them, can decode to `rawBytes`: so that
// a small file that claims a huge image does not make the reader allocate for it.
bool DataCanHold(TIFF* tif, std::uint64_t fileSize, std::uint64_t rawBytes) {
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
    const std::uint64_t expansion = MaxExpansion(compression);
    if (expansion == 0) {
        return true;
    }
    const bool tiled = TIFFIsTiled(tif) != 0;
    const std::uint64_t* counts = nullptr;
    if (TIFFGetField(tif, tiled ? TIFFTAG_TILEBYTECOUNTS : TIFFTAG_STRIPBYTECOUNTS, &counts) != 1 ||
        counts == nullptr) {
        return true; // libtiff will say what is wrong
    }
    const std::uint64_t n = tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
    std::uint64_t stored = 0;
    for (std::uint64_t i = 0; i < n && stored < fileSize; ++i) {
        stored += std::min(counts[i], fileSize);
    }
    stored = std::min(stored, fileSize);
    return rawBytes <= stored * expansion + 1024;
}

// Puts the first row at the top and the first column at the left, as the Orientation tag
// places them: 2 mirrored, 3 turned half round, 4 upside down.
void Orient(GrayImage& image, std::uint16_t orientation) {
    const auto width = static_cast<std::size_t>(image.width);
    if (orientation == ORIENTATION_TOPRIGHT || orientation == ORIENTATION_BOTRIGHT) {
        for (int y = 0; y < image.height; ++y) {
            auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y * width);
            std::reverse(row, row + static_cast<std::ptrdiff_t>(width));
        }
    }
    if (orientation == ORIENTATION_BOTRIGHT || orientation == ORIENTATION_BOTLEFT) {
        for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
            std::swap_ranges(image.pixels.begin() + static_cast<std::ptrdiff_t>(top * width),
                             image.pixels.begin() + static_cast<std::ptrdiff_t>((top + 1) * width),
                             image.pixels.begin() + static_cast<std::ptrdiff_t>(bottom * width));
        }
    }
}

} // namespace

ReadResult DecodeTiff(std::span<const std::uint8_t> bytes, const ReadLimits& limits, bool pixels) {
    MemoryFile file{bytes.data(), bytes.size(), 0, {}};
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options) {
        return Failure("out of memory");
    }
    const std::uint64_t side = static_cast<std::uint64_t>(limits.maxSide);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(),
                                        static_cast<tmsize_t>(side * side * 2 + (16u << 20)));
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnTiffError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), OnTiffWarning, &file);
    // "m": no memory mapping, the client procedures serve every read.
    TiffHandle tif(TIFFClientOpenExt("image", "rm", &file, ReadProc, WriteProc, SeekProc, CloseProc,
                                     SizeProc, MapProc, UnmapProc, options.get()));
    auto tiffFailure = [&file](const char* what) {
        return Failure(file.firstError.empty() ? std::string(what)
                                               : std::string(what) + ": " + file.firstError);
    };
    if (!tif) {
        return tiffFailure("not a readable TIFF file");
    }
    ReadResult result;
    result.format = "TIFF";
    result.text = DescriptiveText(tif.get());

    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width) != 1 ||
        TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height) != 1) {
        return Failure("no image size");
    }
    if (std::string problem = SizeProblem(width, height, limits); !problem.empty()) {
        return Failure(problem);
    }
    if (!pixels) {
        return result;
    }
    std::uint16_t samples = 1;
    std::uint16_t bits = 1;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_SAMPLEFORMAT, &sampleFormat);
    if (TIFFGetField(tif.get(), TIFFTAG_PHOTOMETRIC, &photometric) != 1) {
        photometric = PHOTOMETRIC_MINISBLACK;
    }
    if (samples != 1) {
        return Failure("unsupported: " + std::to_string(samples) + " samples per pixel");
    }
    if (bits != 8 && bits != 16) {
        return Failure("unsupported: " + std::to_string(bits) +
                       " bits per sample (8 or 16 are read)");
    }
    if (photometric != PHOTOMETRIC_MINISBLACK && photometric != PHOTOMETRIC_MINISWHITE) {
        return Failure("unsupported: photometric interpretation " + std::to_string(photometric) +
                       " (only gray images are read)");
    }
    if (sampleFormat != SAMPLEFORMAT_UINT && sampleFormat != SAMPLEFORMAT_INT) {
        return Failure("unsupported: floating-point or complex samples");
    }
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetField(tif.get(), TIFFTAG_ORIENTATION, &orientation);
    if (orientation > ORIENTATION_BOTLEFT) {
        return Failure("unsupported: orientation " + std::to_string(orientation) +
                       " (rows and columns swapped)");
    }
    if (!DataCanHold(tif.get(), bytes.size(), std::uint64_t{width} * height * (bits / 8))) {
        return Failure("truncated");
    }

    SampleMapping mapping;
    mapping.bitsStored = bits;
    mapping.isSigned = sampleFormat == SAMPLEFORMAT_INT;
    mapping.invert = photometric == PHOTOMETRIC_MINISWHITE;
    const std::vector<std::uint8_t> table = BuildGrayTable(mapping);
    const std::size_t bytesPerSample = bits / 8;

    result.image.width = static_cast<int>(width);
    result.image.height = static_cast<int>(height);
    result.image.pixels.resize(static_cast<std::size_t>(width) * height);
    std::uint8_t* out = result.image.pixels.data();

    if (TIFFIsTiled(tif.get())) {
        std::uint32_t tileWidth = 0;
        std::uint32_t tileHeight = 0;
        TIFFGetField(tif.get(), TIFFTAG_TILEWIDTH, &tileWidth);
        TIFFGetField(tif.get(), TIFFTAG_TILELENGTH, &tileHeight);
        const tmsize_t tileSize = TIFFTileSize(tif.get());
        if (tileWidth == 0 || tileHeight == 0 || tileSize <= 0 ||
            static_cast<std::uint64_t>(tileSize) <
                std::uint64_t{tileWidth} * tileHeight * bytesPerSample) {
            return tiffFailure("damaged TIFF file: bad tiles");
        }
        std::vector<std::uint8_t> tile(static_cast<std::size_t>(tileSize));
        for (std::uint32_t ty = 0; ty < height; ty += tileHeight) {
            for (std::uint32_t tx = 0; tx < width; tx += tileWidth) {
                if (TIFFReadTile(tif.get(), tile.data(), tx, ty, 0, 0) < 0) {
                    return tiffFailure("damaged TIFF file");
                }
                const std::uint32_t w = std::min(tileWidth, width - tx);
                const std::uint32_t h = std::min(tileHeight, height - ty);
                for (std::uint32_t y = 0; y < h; ++y) {
                    MapSamples(tile.data() + std::size_t{y} * tileWidth * bytesPerSample, bits, w,
                               table, out + std::size_t{ty + y} * width + tx);
                }
            }
        }
        Orient(result.image, orientation);
        return result;
    }
    const tmsize_t lineSize = TIFFScanlineSize(tif.get());
    if (lineSize <= 0 ||
        static_cast<std::uint64_t>(lineSize) < std::uint64_t{width} * bytesPerSample) {
        return tiffFailure("damaged TIFF file: bad rows");
    }
    std::vector<std::uint8_t> line(static_cast<std::size_t>(lineSize));
    for (std::uint32_t y = 0; y < height; ++y) {
        if (TIFFReadScanline(tif.get(), line.data(), y, 0) < 0) {
            return tiffFailure(y == 0 ? "damaged TIFF file" : "truncated or damaged TIFF file");
        }
        MapSamples(line.data(), bits, width, table, out + std::size_t{y} * width);
    }
    Orient(result.image, orientation);
    return result;
}

} // namespace imageio
