// GDI fonts: what a face states in its tables, and its glyphs as the platform renders them.

#include "platform/gdi/win32/system_fonts.h"

#include "platform/base/wide_string.h"

#include <windows.h>

#include <algorithm>

namespace gdi::systemfonts {

namespace {

constexpr DWORD Tag(char a, char b, char c, char d) {
    return static_cast<DWORD>(static_cast<unsigned char>(a)) |
           (static_cast<DWORD>(static_cast<unsigned char>(b)) << 8) |
           (static_cast<DWORD>(static_cast<unsigned char>(c)) << 16) |
           (static_cast<DWORD>(static_cast<unsigned char>(d)) << 24);
}

// A table of the selected font, or nothing.
std::vector<std::uint8_t> Table(HDC dc, DWORD tag) {
    const DWORD size = GetFontData(dc, tag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0) {
        return {};
    }
    std::vector<std::uint8_t> data(size);
    if (GetFontData(dc, tag, 0, data.data(), size) != size) {
        return {};
    }
    return data;
}

// Big-endian 16-bit value at offset, or -1 beyond the data.
long Read16(const std::vector<std::uint8_t>& data, std::size_t offset) {
    if (offset + 2 > data.size()) {
        return -1;
    }
    return (static_cast<long>(data[offset]) << 8) | data[offset + 1];
}

// A memory device context with a font selected; both go with the object.
class SelectedFont {
  public:
    explicit SelectedFont(const LOGFONTW& lf)
        : dc_(CreateCompatibleDC(nullptr)), font_(CreateFontIndirectW(&lf)) {
        if (dc_ && font_) {
            previous_ = SelectObject(dc_, font_);
        }
    }
    ~SelectedFont() {
        if (dc_ && previous_) {
            SelectObject(dc_, previous_);
        }
        if (font_) {
            DeleteObject(font_);
        }
        if (dc_) {
            DeleteDC(dc_);
        }
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

    bool Ok() const { return previous_ != nullptr; }
    HDC Dc() const { return dc_; }

  private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_ = nullptr;
};

// The face's unhinted advances from its tables: the horizontal metrics of each character's
// glyph, .notdef's for a character the face lacks (as FreeType reports them on Linux).
bool TableAdvances(HDC dc, std::array<long long, 256>& out) {
    const std::vector<std::uint8_t> hhea = Table(dc, Tag('h', 'h', 'e', 'a'));
    const std::vector<std::uint8_t> hmtx = Table(dc, Tag('h', 'm', 't', 'x'));
    const long metrics = Read16(hhea, 34);
    if (metrics <= 0 || hmtx.size() < static_cast<std::size_t>(metrics) * 4) {
        return false;
    }
    std::array<wchar_t, 256> chars{};
    std::array<WORD, 256> glyphs{};
    for (std::size_t c = 0; c < chars.size(); ++c) {
        chars[c] = static_cast<wchar_t>(c);
    }
    if (GetGlyphIndicesW(dc, chars.data(), static_cast<int>(chars.size()), glyphs.data(),
                         GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
        return false;
    }
    for (std::size_t c = 0; c < glyphs.size(); ++c) {
        const long glyph = glyphs[c] == 0xFFFF ? 0 : std::min<long>(glyphs[c], metrics - 1);
        out[c] = Read16(hmtx, static_cast<std::size_t>(glyph) * 4);
    }
    return true;
}

} // namespace

struct Font::Impl {
    LOGFONTW logFont{};
    SelectedFont selected;
    bool scalable = false;
    bool smooth = true;
    TEXTMETRICW metrics{};

    explicit Impl(const LOGFONTW& lf) : logFont(lf), selected(lf) {}
};

Font::Font(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

Font::~Font() = default;

std::unique_ptr<Font> Font::Create(const std::string& face, int height, int weight, bool italic,
                                   bool smooth) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = smooth ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring name = base::WideText(face);
    std::copy_n(name.begin(), std::min<std::size_t>(name.size(), LF_FACESIZE - 1), lf.lfFaceName);
    auto impl = std::make_unique<Impl>(lf);
    impl->smooth = smooth;
    if (!impl->selected.Ok() || !GetTextMetricsW(impl->selected.Dc(), &impl->metrics)) {
        return nullptr;
    }
    impl->scalable = GetOutlineTextMetricsW(impl->selected.Dc(), 0, nullptr) > 0;
    return std::unique_ptr<Font>(new Font(std::move(impl)));
}

Description Font::Describe() const {
    Description d;
    HDC dc = impl_->selected.Dc();
    wchar_t family[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, family);
    d.family = base::Utf8FromWide(family);
    const TEXTMETRICW& tm = impl_->metrics;
    if (impl_->scalable) {
        // The face once more at one pixel per font unit, where the platform's numbers are the
        // font's own.
        std::vector<std::uint8_t> otm(GetOutlineTextMetricsW(dc, 0, nullptr));
        GetOutlineTextMetricsW(dc, static_cast<UINT>(otm.size()),
                               reinterpret_cast<OUTLINETEXTMETRICW*>(otm.data()));
        const UINT em = reinterpret_cast<const OUTLINETEXTMETRICW*>(otm.data())->otmEMSquare;
        LOGFONTW lf = impl_->logFont;
        lf.lfHeight = -static_cast<LONG>(em);
        lf.lfWidth = 0;
        SelectedFont unitFont(lf);
        TEXTMETRICW unitMetrics{};
        if (em > 0 && unitFont.Ok() && GetTextMetricsW(unitFont.Dc(), &unitMetrics)) {
            d.scalable = true;
            d.unitsPerEm = static_cast<int>(em);
            const std::vector<std::uint8_t> os2 = Table(unitFont.Dc(), Tag('O', 'S', '/', '2'));
            const long winAscent = Read16(os2, 74), winDescent = Read16(os2, 76);
            if (winAscent >= 0 && winDescent >= 0 && winAscent + winDescent > 0) {
                d.cellAscent = static_cast<int>(winAscent);
                d.cellDescent = static_cast<int>(winDescent);
            } else {
                d.cellAscent = unitMetrics.tmAscent;
                d.cellDescent = unitMetrics.tmDescent;
            }
            if (!TableAdvances(unitFont.Dc(), d.advanceUnits)) {
                INT widths[256] = {};
                GetCharWidth32W(unitFont.Dc(), 0, 255, widths);
                std::copy(std::begin(widths), std::end(widths), d.advanceUnits.begin());
            }
            return d;
        }
    }
    d.height = tm.tmHeight;
    d.ascent = tm.tmAscent;
    d.descent = tm.tmDescent;
    d.averageWidth = tm.tmAveCharWidth;
    INT widths[256] = {};
    GetCharWidth32W(dc, 0, 255, widths);
    std::copy(std::begin(widths), std::end(widths), d.advances.begin());
    return d;
}

Bitmap Font::Render(std::uint32_t codePoint) const {
    Bitmap b;
    HDC dc = impl_->selected.Dc();
    if (impl_->scalable) {
        static constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
        // Smoothed: 65 levels a byte. One-bit: the rasteriser's own monochrome rendering,
        // one bit a pixel with the leftmost in the high bit. Rows are DWORD-aligned in both.
        const UINT format = impl_->smooth ? GGO_GRAY8_BITMAP : GGO_BITMAP;
        GLYPHMETRICS gm{};
        const DWORD size = GetGlyphOutlineW(dc, codePoint, format, &gm, 0, nullptr, &kIdentity);
        if (size == GDI_ERROR || size == 0) {
            return b; // no glyph, or one without ink (the space)
        }
        std::vector<std::uint8_t> data(size);
        if (GetGlyphOutlineW(dc, codePoint, format, &gm, size, data.data(), &kIdentity) ==
            GDI_ERROR) {
            return b;
        }
        b.left = gm.gmptGlyphOrigin.x;
        b.top = gm.gmptGlyphOrigin.y;
        b.width = static_cast<int>(gm.gmBlackBoxX);
        b.height = static_cast<int>(gm.gmBlackBoxY);
        const std::size_t rowBytes =
            impl_->smooth ? static_cast<std::size_t>(b.width) : (b.width + 7u) / 8u;
        const std::size_t pitch = (rowBytes + 3) & ~std::size_t{3};
        if (pitch * b.height > data.size()) {
            return Bitmap{};
        }
        b.coverage.resize(static_cast<std::size_t>(b.width) * b.height);
        for (int y = 0; y < b.height; ++y) {
            const std::uint8_t* row = data.data() + y * pitch;
            std::uint8_t* out = b.coverage.data() + static_cast<std::size_t>(y) * b.width;
            for (int x = 0; x < b.width; ++x) {
                if (impl_->smooth) {
                    const unsigned level = std::min<unsigned>(row[x], 64);
                    out[x] = static_cast<std::uint8_t>((level * 255 + 32) / 64);
                } else {
                    out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
                }
            }
        }
        return b;
    }
    // A bitmap face has no outlines: its pixels are drawn into a bitmap of our own and read
    // back, white on black.
    const TEXTMETRICW& tm = impl_->metrics;
    const wchar_t ch = static_cast<wchar_t>(codePoint);
    INT advance = 0;
    GetCharWidth32W(dc, codePoint, codePoint, &advance);
    const int width = advance + tm.tmOverhang;
    const int height = tm.tmHeight;
    if (width <= 0 || height <= 0) {
        return b;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        return b;
    }
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, OPAQUE);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const RECT cell{0, 0, width, height};
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, &ch, 1, nullptr);
    GdiFlush();
    b.left = 0;
    b.top = tm.tmAscent;
    b.width = width;
    b.height = height;
    b.coverage.resize(static_cast<std::size_t>(width) * height);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < b.coverage.size(); ++i) {
        b.coverage[i] = static_cast<std::uint8_t>((pixels[i] >> 8) & 0xFF);
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    return b;
}

} // namespace gdi::systemfonts
