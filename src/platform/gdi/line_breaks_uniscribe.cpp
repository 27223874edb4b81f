// Line break opportunities from the platform's own script analysis: Uniscribe's ScriptBreak
// over the items ScriptItemize finds. Built instead of the ICU source on Windows.

#include "platform/gdi/line_breaks.h"

#include <windows.h>

#include <usp10.h>

#include <climits>
#include <string>

namespace gdi {

std::vector<std::size_t> LineBreakOpportunities(std::u16string_view text) {
    std::vector<std::size_t> out;
    if (text.size() < 2 || text.size() > static_cast<std::size_t>(INT_MAX / 2)) {
        return out;
    }
    // WCHAR is a UTF-16 code unit on this platform.
    static_assert(sizeof(WCHAR) == sizeof(char16_t));
    const std::wstring units(text.begin(), text.end());
    const int length = static_cast<int>(units.size());

    // ScriptItemize needs room for one item more than it may report.
    std::vector<SCRIPT_ITEM> items(16);
    int count = 0;
    HRESULT result;
    while ((result = ScriptItemize(units.data(), length, static_cast<int>(items.size()) - 1,
                                   nullptr, nullptr, items.data(), &count)) == E_OUTOFMEMORY &&
           items.size() <= units.size()) {
        items.resize(items.size() * 2);
    }
    if (FAILED(result)) {
        return out;
    }

    std::vector<SCRIPT_LOGATTR> attributes(units.size());
    for (int i = 0; i < count; ++i) {
        const int start = items[static_cast<std::size_t>(i)].iCharPos;
        const int end = items[static_cast<std::size_t>(i) + 1].iCharPos;
        // From one character before the item, so that whether a line may break right before
        // its first character is judged with what precedes it.
        const int from = start > 0 ? start - 1 : 0;
        std::vector<SCRIPT_LOGATTR> part(static_cast<std::size_t>(end - from));
        if (FAILED(ScriptBreak(units.data() + from, end - from,
                               &items[static_cast<std::size_t>(i)].a, part.data()))) {
            return {};
        }
        for (int k = start; k < end; ++k) {
            attributes[static_cast<std::size_t>(k)] = part[static_cast<std::size_t>(k - from)];
        }
    }
    for (std::size_t i = 1; i < units.size(); ++i) {
        if (attributes[i].fSoftBreak) {
            out.push_back(i);
        }
    }
    return out;
}

} // namespace gdi
