// Line break opportunities from ICU's line break iterator.

#include "platform/gdi/line_breaks.h"

#include <unicode/ubrk.h>
#include <unicode/utypes.h>

#include <cstdint>
#include <memory>

namespace gdi {

namespace {

struct IteratorCloser {
    void operator()(UBreakIterator* it) const { ubrk_close(it); }
};
using LineIterator = std::unique_ptr<UBreakIterator, IteratorCloser>;

// Opening an iterator parses the rules; each thread keeps one and only hands it new text.
UBreakIterator* ThreadIterator() {
    thread_local LineIterator iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        LineIterator it(ubrk_open(UBRK_LINE, "", nullptr, 0, &status));
        return U_SUCCESS(status) ? std::move(it) : LineIterator();
    }();
    return iterator.get();
}

} // namespace

std::vector<std::size_t> LineBreakOpportunities(std::u16string_view text) {
    std::vector<std::size_t> out;
    UBreakIterator* it = ThreadIterator();
    if (!it || text.size() < 2 || text.size() > static_cast<std::size_t>(INT32_MAX)) {
        return out;
    }
    UErrorCode status = U_ZERO_ERROR;
    ubrk_setText(it, text.data(), static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status)) {
        return out;
    }
    for (int32_t b = ubrk_next(it); b != UBRK_DONE; b = ubrk_next(it)) {
        if (b > 0 && static_cast<std::size_t>(b) < text.size()) {
            out.push_back(static_cast<std::size_t>(b));
        }
    }
    // Let go of the text, which dies with this call.
    ubrk_setText(it, u"", 0, &status);
    return out;
}

} // namespace gdi
