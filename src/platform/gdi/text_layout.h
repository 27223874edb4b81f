#pragma once
// How DrawText cuts text into lines.

#include "platform/gdi/text.h"

#include <cstddef>
#include <string_view>

namespace gdi {

struct TextLine {
    std::size_t begin = 0; // the line is text[begin, end)
    std::size_t end = 0;
    std::size_t next = 0; // where the following line starts
    int width = 0;        // sum of the line's advances
};

// The line of text starting at pos, for a rectangle width pixels wide. Lines end at CR, LF,
// CR LF or LF CR. With DT_WORDBREAK a line that does not fit is broken: let N be the number
// of its characters whose running width fits. If character N is a space, the line ends
// before it and the space is dropped. Otherwise it ends at the last break opportunity (see
// line_breaks.h) at or before character N, found in the text from pos on; when that
// opportunity follows a space, that one space is dropped and any spaces before it stay on the
// line. Without such an opportunity, DT_EDITCONTROL breaks the word after N characters (at
// least one); otherwise the line runs on to the next opportunity. pos < text.size().
TextLine NextLine(std::string_view text, std::size_t pos, int width, UINT format,
                  const Typeface& face);

} // namespace gdi
