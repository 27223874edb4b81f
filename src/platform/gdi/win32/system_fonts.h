#pragma once
// The platform's own fonts through its glyph interfaces (GDI). Standard types only: the
// implementation includes the system's headers, whose names (RECT, BOOL, ...) must not meet
// ours.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gdi::systemfonts {

// One glyph's coverage (0..255), placed relative to the pen position on the baseline.
struct Bitmap {
    int left = 0;
    int top = 0; // rows above the baseline
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage; // rows top-down
};

struct Description {
    std::string family; // the face the system chose, UTF-8
    bool scalable = false;
    // Scalable faces, in font units: exact values from the font's tables.
    int unitsPerEm = 0;
    int cellAscent = 0; // OS/2 win ascent and descent
    int cellDescent = 0;
    std::array<long long, 256> advanceUnits{}; // unhinted, Latin-1
    // Bitmap faces, in pixels at the requested size.
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int averageWidth = 0;
    std::array<int, 256> advances{};
};

// A font of the system at one size, with a device context of its own to render it in.
class Font {
  public:
    // face in UTF-8; height as CreateFont takes it (> 0 cell, < 0 em); smooth: anti-aliased
    // glyphs, else one-bit ones. Null when the system makes no font.
    static std::unique_ptr<Font> Create(const std::string& face, int height, int weight,
                                        bool italic, bool smooth = true);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    Description Describe() const;
    // The glyph of a Unicode character: the platform's anti-aliased (or, for a font created
    // without smoothing, monochrome) rendering for scalable faces, the bitmap's own pixels for
    // bitmap faces.
    Bitmap Render(std::uint32_t codePoint) const;

  private:
    struct Impl;
    explicit Font(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace gdi::systemfonts
