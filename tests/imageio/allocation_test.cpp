// A damaged file must not make the readers take the memory it claims: a 300-byte DICOM file
// that says its pixel data is 4 GB long, or a PNG or TIFF file of a few hundred bytes that says
// it is 16000 × 16000 pixels, gets a reason, not a large allocation. Operator new is replaced
// here to see the largest request (DCMTK allocates values with new[], the readers' images are
// vectors).

#include "imageio/image_readers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <tiffio.h>
#include <zlib.h>

#if !defined(__SANITIZE_ADDRESS__) && !defined(__has_feature)
#define LUMIVEX_TRACK_NEW 1
#elif defined(__has_feature)
#if !__has_feature(address_sanitizer)
#define LUMIVEX_TRACK_NEW 1
#endif
#endif

namespace {

std::atomic<bool> tracking{false};
std::atomic<std::size_t> largest{0};

[[maybe_unused]] void Note(std::size_t n) {
    if (!tracking) {
        return;
    }
    std::size_t current = largest;
    while (n > current && !largest.compare_exchange_weak(current, n)) {
    }
}

} // namespace

#ifdef LUMIVEX_TRACK_NEW
#if defined(__GNUC__) && !defined(__clang__)
// GCC takes free() in a replacement operator delete for a mismatch with operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t n) {
    Note(n);
    if (void* p = std::malloc(n == 0 ? 1 : n)) {
        return p;
    }
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    return operator new(n);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    Note(n);
    return std::malloc(n == 0 ? 1 : n);
}
void* operator new[](std::size_t n, const std::nothrow_t& tag) noexcept {
    return operator new(n, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
#endif

namespace {

using namespace imageio_test;

// Sets the 4-byte length of the first element with this tag and an explicit VR of OB, OW, UN
// or UT.
void SetLongLength(std::vector<std::uint8_t>& bytes, std::uint16_t group, std::uint16_t element,
                   std::uint32_t length) {
    for (std::size_t i = 0; i + 12 <= bytes.size(); ++i) {
        if (bytes[i] == (group & 0xFF) && bytes[i + 1] == (group >> 8) &&
            bytes[i + 2] == (element & 0xFF) && bytes[i + 3] == (element >> 8) &&
            bytes[i + 6] == 0 && bytes[i + 7] == 0) {
            for (int k = 0; k < 4; ++k) {
                bytes[i + 8 + k] = static_cast<std::uint8_t>(length >> (8 * k));
            }
            return;
        }
    }
    ADD_FAILURE() << "element not found";
}

// Under the sanitizers, which bring their own operator new, only the results are checked.
// Sets a TIFF file's first-directory entry `tag` (SHORT or LONG) to `value` (little endian).
void SetTiffTag(std::vector<std::uint8_t>& b, std::uint16_t tag, std::uint32_t value) {
    auto u16 = [&](std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); };
    const std::size_t ifd = b[4] | (b[5] << 8) | (b[6] << 16) | (std::size_t{b[7]} << 24);
    for (std::size_t i = 0; i < u16(ifd); ++i) {
        const std::size_t entry = ifd + 2 + 12 * i;
        if (u16(entry) == tag) {
            const int size = u16(entry + 2) == 3 ? 2 : 4;
            for (int k = 0; k < size; ++k) {
                b[entry + 8 + k] = static_cast<std::uint8_t>(value >> (8 * k));
            }
            return;
        }
    }
    ADD_FAILURE() << "tag " << tag << " not found";
}

// The largest request from operator new while decoding, and the result.
std::pair<std::size_t, imageio::ReadResult> Decode(const std::vector<std::uint8_t>& bytes) {
    largest = 0;
    tracking = true;
    imageio::ReadResult r = imageio::DecodeGrayImage(bytes);
    tracking = false;
    return {largest.load(), std::move(r)};
}

TEST(Allocation, ClaimedSizesNeedTheDataToBackThem) {
    std::vector<std::uint8_t> png =
        FileBytes(PngRecipe{.samples = std::vector<std::uint16_t>(16, 9)});
    png[18] = png[22] = 0x3E; // 16000 = 0x3E80
    png[19] = png[23] = 0x80;
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, &png[12], 17)); // type and data
    for (int k = 0; k < 4; ++k) {
        png[29 + k] = static_cast<std::uint8_t>(crc >> (24 - 8 * k));
    }

    TiffRecipe t{.samples = std::vector<std::uint16_t>(16, 9)};
    std::vector<std::vector<std::uint8_t>> tiffs;
    for (int compression : {COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE}) {
        t.compression = compression;
        tiffs.push_back(FileBytes(t));
        SetTiffTag(tiffs.back(), 256, 16000); // ImageWidth
        SetTiffTag(tiffs.back(), 257, 16000); // ImageLength
    }
    for (const std::vector<std::uint8_t>* file : {&png, &tiffs[0], &tiffs[1], &tiffs[2]}) {
        const auto [size, result] = Decode(*file);
        EXPECT_EQ(result.error, "truncated") << result.format;
#ifdef LUMIVEX_TRACK_NEW
        EXPECT_LT(size, std::size_t{64 * 1024}) << result.format;
#endif
    }
}

TEST(Allocation, LengthsBeyondTheFileAreNotAllocated) {
    const std::vector<std::uint8_t> whole = FileBytes(DicomRecipe{.width = 4, .height = 4});
    std::vector<std::uint8_t> bytes = whole;
    SetLongLength(bytes, 0x7FE0, 0x0010, 0xFFFFFFF0u); // Pixel Data
    ASSERT_LT(bytes.size(), 1000u);

    largest = 0;
    tracking = true;
    const imageio::ReadResult image = imageio::DecodeGrayImage(bytes);
    const imageio::ReadResult header = imageio::DecodeDescription(bytes);
    tracking = false;
    EXPECT_EQ(image.error, "truncated");
    EXPECT_TRUE(header.ok()) << header.error; // the headers before the pixel data are whole
#ifdef LUMIVEX_TRACK_NEW
    EXPECT_LT(largest.load(), std::size_t{64 * 1024});
#endif

    // The same file whole: its pixel data is loaded, and that is all that is large.
    largest = 0;
    tracking = true;
    EXPECT_TRUE(imageio::DecodeGrayImage(whole).ok());
    tracking = false;
#ifdef LUMIVEX_TRACK_NEW
    EXPECT_LT(largest.load(), std::size_t{64 * 1024});
#endif
}

} // namespace
