#include "platform/gdi/text_layout.h"

#include <algorithm>

namespace gdi {

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Position after the line end at pos, if there is one: one character, or a CR LF / LF CR pair.
std::size_t SkipLineEnd(std::string_view text, std::size_t pos) {
    if (pos < text.size() && IsLineEnd(text[pos])) {
        ++pos;
        if (pos < text.size() && IsLineEnd(text[pos]) && text[pos] != text[pos - 1]) {
            ++pos;
        }
    }
    return pos;
}

} // namespace

TextLine NextLine(std::string_view text, std::size_t pos, int width, UINT format,
                  const Typeface& face) {
    std::size_t segmentEnd = pos;
    while (segmentEnd < text.size() && !IsLineEnd(text[segmentEnd])) {
        ++segmentEnd;
    }
    // Characters whose running width is at most the width.
    std::size_t fit = pos;
    long long running = 0;
    while (fit < segmentEnd) {
        running += face.Advance(static_cast<unsigned char>(text[fit]));
        if (running > width) {
            break;
        }
        ++fit;
    }

    TextLine line{pos, segmentEnd, SkipLineEnd(text, segmentEnd), 0};
    if (fit < segmentEnd && (format & DT_WORDBREAK)) {
        const std::string_view before = text.substr(pos, fit - pos);
        const std::size_t space = before.rfind(' ');
        if (text[fit] == ' ') {
            line.end = fit;
            line.next = fit + 1;
        } else if (space != std::string_view::npos) {
            line.end = pos + space;
            line.next = line.end + 1;
        } else if (format & DT_EDITCONTROL) {
            line.end = std::max(fit, pos + 1);
            line.next = line.end;
        } else {
            const std::size_t wordEnd = text.find(' ', fit);
            if (wordEnd < segmentEnd) {
                line.end = wordEnd;
                line.next = wordEnd + 1;
            }
        }
    }
    line.width = face.Extent(text.substr(line.begin, line.end - line.begin));
    return line;
}

} // namespace gdi
