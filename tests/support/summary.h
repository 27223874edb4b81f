#pragma once
// Readable summaries of a picture of any kind, for tests to compare as text: the runs of equal
// values along a line, the positions that match, and an ASCII picture. Each reads its pixels
// through a function, so that 32-bit surfaces, gray images and canvases share one walk.

#include <string>
#include <vector>

namespace testing_support {

// Calls run(value, first, last) for each run of equal values value(i), i = from .. to inclusive.
template <class ValueAt, class Run> void ForEachRun(int from, int to, ValueAt value, Run run) {
    for (int first = from; first <= to;) {
        const auto v = value(first);
        int last = first;
        while (last < to && value(last + 1) == v) {
            ++last;
        }
        run(v, first, last);
        first = last + 1;
    }
}

// The runs as text, joined by spaces: each run written by write(value, first, last), where a run
// written as "" is left out.
template <class ValueAt, class Write>
std::string RunSummary(int from, int to, ValueAt value, Write write) {
    std::string out;
    ForEachRun(from, to, value, [&](const auto& v, int first, int last) {
        const std::string run = write(v, first, last);
        if (!run.empty()) {
            out += (out.empty() ? "" : " ") + run;
        }
    });
    return out;
}

// The positions i = from .. to inclusive for which match(i) holds.
template <class Match> std::vector<int> PositionsWhere(int from, int to, Match match) {
    std::vector<int> out;
    for (int i = from; i <= to; ++i) {
        if (match(i)) {
            out.push_back(i);
        }
    }
    return out;
}

// One text line per row y = y0 .. y1 of the characters letter(x, y), x = x0 .. x1.
template <class Letter> std::string AsciiPicture(int x0, int y0, int x1, int y1, Letter letter) {
    std::string out;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            out += letter(x, y);
        }
        out += '\n';
    }
    return out;
}

} // namespace testing_support
