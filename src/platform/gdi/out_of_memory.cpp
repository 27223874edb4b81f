#include "platform/gdi/out_of_memory.h"

#include <atomic>
#include <cstdio>

namespace gdi {

namespace {
std::atomic<bool> reported{false};
} // namespace

void ReportOutOfMemory(int width, int height) {
    if (reported.exchange(true)) {
        return;
    }
    std::fprintf(stderr,
                 "lumivex: not enough memory for a %d x %d pixel frame; the screen stays black "
                 "where it should be\n",
                 width, height);
    std::fflush(stderr);
}

} // namespace gdi
