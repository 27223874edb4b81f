#include "platform/gdi/text_layout.h"

#include "platform/gdi/line_breaks.h"

#include <algorithm>
#include <string>

namespace gdi {

namespace {

// How far past character N the break analysis reads. The line-breaking rules look ahead a
// character or two (a number after a hyphen, a mark after its base); the rest is margin.
constexpr std::size_t kBreakLookahead = 64;

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

// Latin-1 is the first 256 code points: one UTF-16 unit per character, positions unchanged.
std::u16string Utf16(std::string_view latin1) {
    std::u16string units(latin1.size(), u'\0');
    std::transform(latin1.begin(), latin1.end(), units.begin(),
                   [](char c) { return static_cast<unsigned char>(c); });
    return units;
}

// Ends line at the break opportunity before text[at]. A break that follows a space takes
// that space off the line; one that precedes a space skips it.
void BreakBefore(std::string_view text, std::size_t at, TextLine& line) {
    line.end = text[at - 1] == ' ' ? at - 1 : at;
    line.next = line.end == at && text[at] == ' ' ? at + 1 : at;
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
        if (text[fit] == ' ') {
            line.end = fit;
            line.next = fit + 1;
        } else {
            // Opportunities relative to pos. Whether a line may break before a character
            // depends on the text before it and on a few characters after it at most, so the
            // analysis stops a margin past character N rather than at the end of the paragraph.
            auto opportunities = [&](std::size_t end) {
                return LineBreakOpportunities(Utf16(text.substr(pos, end - pos)));
            };
            std::vector<std::size_t> breaks =
                opportunities(std::min(segmentEnd, fit + kBreakLookahead));
            auto after = std::upper_bound(breaks.begin(), breaks.end(), fit - pos);
            if (after != breaks.begin()) {
                BreakBefore(text, pos + *std::prev(after), line);
            } else if (format & DT_EDITCONTROL) {
                line.end = std::max(fit, pos + 1);
                line.next = line.end;
            } else {
                // The word stays whole up to the next opportunity, wherever that is.
                breaks = opportunities(segmentEnd);
                after = std::upper_bound(breaks.begin(), breaks.end(), fit - pos);
                if (after != breaks.end()) {
                    BreakBefore(text, pos + *after, line);
                }
            }
        }
    }
    line.width = face.Extent(text.substr(line.begin, line.end - line.begin));
    return line;
}

} // namespace gdi
