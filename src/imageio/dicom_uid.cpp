// UIDs under the 2.25 root: the decimal value of a UUID (ISO/IEC 9834-8), here a random
// version 4 UUID, so that no organisation root needs to be registered.

#include "imageio/image_writers.h"

#include <array>
#include <cstdint>
#include <random>

#ifdef __linux__
#include <sys/random.h>
#endif

namespace imageio {

namespace {

bool FillRandom(std::array<std::uint8_t, 16>& bytes) {
#ifdef __linux__
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (n <= 0) {
            return false;
        }
        filled += static_cast<std::size_t>(n);
    }
    return true;
#else
    try {
        std::random_device random;
        for (std::size_t i = 0; i < bytes.size(); i += 4) {
            const unsigned v = random();
            for (std::size_t k = 0; k < 4; ++k) {
                bytes[i + k] = static_cast<std::uint8_t>(v >> (8 * k));
            }
        }
        return true;
    } catch (...) {
        return false;
    }
#endif
}

} // namespace

std::string NewDicomUid() {
    std::array<std::uint8_t, 16> uuid{};
    if (!FillRandom(uuid)) {
        return {};
    }
    uuid[6] = static_cast<std::uint8_t>((uuid[6] & 0x0F) | 0x40); // version 4
    uuid[8] = static_cast<std::uint8_t>((uuid[8] & 0x3F) | 0x80); // RFC 4122 variant

    // The 128-bit value in 32-bit limbs, most significant first, divided by 10 repeatedly.
    std::array<std::uint32_t, 4> limbs{};
    for (std::size_t i = 0; i < 16; ++i) {
        limbs[i / 4] = (limbs[i / 4] << 8) | uuid[i];
    }
    std::string digits;
    bool zero = false;
    while (!zero) {
        std::uint64_t remainder = 0;
        zero = true;
        for (std::uint32_t& limb : limbs) {
            const std::uint64_t value = (remainder << 32) | limb;
            limb = static_cast<std::uint32_t>(value / 10);
            remainder = value % 10;
            zero = zero && limb == 0;
        }
        digits.insert(digits.begin(), static_cast<char>('0' + remainder));
    }
    return "2.25." + digits;
}

} // namespace imageio
