// A damaged file must not make DCMTK take the memory its length fields claim: a 300-byte file
// that says its pixel data is 4 GB long gets a reason, not a 4 GB allocation. Operator new is
// replaced here to see the largest request (DCMTK allocates values with new[]).

#include "imageio/image_readers.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

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
TEST(Allocation, LengthsBeyondTheFileAreNotAllocated) {
    ScratchDir dir;
    DicomSpec s;
    s.width = 4;
    s.height = 4;
    WriteDicomFile(dir / "a.dcm", s);
    std::vector<std::uint8_t> bytes = ReadBytes(dir / "a.dcm");
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
    const std::vector<std::uint8_t> whole = ReadBytes(dir / "a.dcm");
    largest = 0;
    tracking = true;
    EXPECT_TRUE(imageio::DecodeGrayImage(whole).ok());
    tracking = false;
#ifdef LUMIVEX_TRACK_NEW
    EXPECT_LT(largest.load(), std::size_t{64 * 1024});
#endif
}

} // namespace
