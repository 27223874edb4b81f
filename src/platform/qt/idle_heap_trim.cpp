#include "platform/qt/idle_heap_trim.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qtbackend {

namespace {
constexpr int kQuietMilliseconds = 1000;
}

IdleHeapTrim::IdleHeapTrim() {
    timer_.setSingleShot(true);
    timer_.setInterval(kQuietMilliseconds);
    connect(&timer_, &QTimer::timeout, this, [] {
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
    });
}

void IdleHeapTrim::InputArrived() {
    timer_.start();
}

} // namespace qtbackend
