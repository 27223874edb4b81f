#pragma once
// UTF-8, the program's encoding for every text and path, to and from UTF-16, the encoding of
// the Windows API. Standard types only, so that files that include the system's headers can
// use it.

#include <optional>
#include <string>
#include <string_view>

namespace base {

// Nothing when utf8 is not well-formed UTF-8 (overlong forms, surrogates and code points above
// U+10FFFF included): a path must never turn into another file's name.
std::optional<std::u16string> Utf16FromUtf8(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view utf16);

} // namespace base
