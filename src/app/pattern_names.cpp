#include "app/pattern_names.h"

#include "catalogue/catalogue.h"

#include <array>
#include <cstdio>

namespace {

struct PatternName {
    const char* stem;
    const char* title;
};

constexpr std::array<PatternName, kPatternCount> kNames{{
    {"edge-line-left", "One line, left edge"},
    {"edge-line-right", "One line, right edge"},
    {"edge-lines", "One line, each edge"},
    {"edge-double-left", "Two lines, left edge"},
    {"edge-double-right", "Two lines, right edge"},
    {"edge-doubles", "Two lines, each edge"},
    {"alternate-columns", "Every other column lit"},
    {"pixel-checker", "Pixel checkerboard"},
    {"grid-figure", "Frame, grid and centre figure"},
    {"white-centre", "White centre"},
    {"nine-boxes", "Nine boxes"},
    {"three-boxes", "Three boxes"},
    {"five-boxes", "Five boxes"},
    {"gray-steps", "Gray step wedges"},
    {"tg18-qc", "TG18-QC"},
    {"tg18-afc", "TG18-AFC"},
    {"tg18-ad", "TG18-AD"},
    {"uniformity-80", "80 % uniformity field"},
    {"uniformity-10", "10 % uniformity field"},
    {"centre-lines", "Centre alignment lines"},
    {"gray-64", "Gray field, level 64"},
    {"gray-127", "Gray field, level 127"},
    {"gray-160", "Gray field, level 160"},
    {"gray-192", "Gray field, level 192"},
    {"white", "Full white"},
    {"black", "Full black"},
    {"red", "Full red"},
    {"green", "Full green"},
    {"blue", "Full blue"},
    {"gray-adjustable", "Gray field at the gray level"},
    {"gray-frames", "Concentric gray frames"},
    {"gray-frames-reversed", "Concentric gray frames, reversed"},
    {"text-page", "Text page"},
    {"adjacent-levels-up", "Adjacent levels, up"},
    {"adjacent-levels-down", "Adjacent levels, down"},
    {"din6868-57-uniformity", "DIN 6868-57 uniformity"},
    {"gray-ramp", "Gray ramp 1024x1024"},
    {"diagonal-ramp", "Diagonal ramp 1024x1024"},
    {"gray-wedges-18", "18-step gray wedges"},
    {"colour-chart", "Chart of 24 colours"},
    {"colour-bars", "Black, red, green, blue and white bars"},
    {"din6868-157-un10", "DIN 6868-157 uniformity, dark background"},
    {"din6868-157-un80", "DIN 6868-157 uniformity, light background"},
}};

bool Known(int id) {
    return id >= 0 && id < kPatternCount;
}

} // namespace

std::string PatternFileStem(int id) {
    if (!Known(id)) {
        return "start";
    }
    char number[4];
    std::snprintf(number, sizeof number, "%02d", id);
    return std::string(number) + "-" + kNames[static_cast<std::size_t>(id)].stem;
}

std::string PatternTitle(int id) {
    return Known(id) ? kNames[static_cast<std::size_t>(id)].title : "Start screen";
}
