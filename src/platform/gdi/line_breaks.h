#pragma once
// Where a line of text may be broken: the Unicode line-breaking rules (UAX #14) as the
// platform's script analysis applies them. A space is an opportunity after it, a tab after
// it (never between two tabs), a hyphen after it; ideographs may be broken between; a comma
// or full stop followed by a letter is not an opportunity.
//
// One implementation is built, chosen by the build (LUMIVEX_LINE_BREAKS): ICU, or the
// platform's own ScriptBreak on Windows. Both answer the same question the same way.

#include <cstddef>
#include <string_view>
#include <vector>

namespace gdi {

// The positions i (0 < i < text.size()) before which a line may end, ascending, in UTF-16
// code units. The text is analysed as the start of a paragraph; the caller ends lines at CR
// and LF itself and passes text without them.
std::vector<std::size_t> LineBreakOpportunities(std::u16string_view text);

} // namespace gdi
