#pragma once
// The Windows API's wide strings (UTF-16 in wchar_t) from and to the program's UTF-8. Only for
// files that talk to that API; standard types only.

#include "platform/base/utf16.h"

#include <optional>
#include <string>
#include <string_view>

namespace base {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide strings are UTF-16 only on Windows");

// Nothing for text that is not UTF-8.
inline std::optional<std::wstring> WideFromUtf8(std::string_view utf8) {
    const std::optional<std::u16string> u = Utf16FromUtf8(utf8);
    if (!u) {
        return std::nullopt;
    }
    return std::wstring(u->begin(), u->end());
}

// For texts shown to the user: what is not UTF-8 shows as U+FFFD instead of vanishing.
inline std::wstring WideText(std::string_view utf8) {
    if (std::optional<std::wstring> w = WideFromUtf8(utf8)) {
        return *w;
    }
    std::wstring out;
    for (char c : utf8) {
        out.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'\xFFFD');
    }
    return out;
}

inline std::string Utf8FromWide(std::wstring_view wide) {
    return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

} // namespace base
