#include "e2e/text_stand_ins.h"

#include "platform/gdi/text.h"

#include <algorithm>
#include <array>
#include <string>

namespace frames {

namespace {

// Boxes: the character's cell (its advance by the font's cell height) together with the box
// of the platform's own glyph, fully covered. Blank: no coverage at all.
class StandInSource final : public gdi::GlyphSource {
  public:
    StandInSource(std::shared_ptr<gdi::Typeface> real, bool boxes)
        : real_(std::move(real)), boxes_(boxes) {}

    gdi::Glyph Render(unsigned char c) override {
        if (!boxes_) {
            return {};
        }
        const gdi::TextMetrics& m = real_->Metrics();
        int left = 0, right = real_->Advance(c), top = m.ascent, bottom = -m.descent;
        const std::string one(1, static_cast<char>(c));
        real_->ForEachGlyph(one, [&](const gdi::Glyph& g, long long) {
            if (g.width > 0 && g.height > 0) {
                left = std::min(left, g.left);
                right = std::max(right, g.left + g.width);
                top = std::max(top, g.top);
                bottom = std::min(bottom, g.top - g.height);
            }
        });
        gdi::Glyph box{left, top, right - left, top - bottom, {}};
        box.coverage.assign(static_cast<std::size_t>(std::max(box.width, 0)) *
                                static_cast<std::size_t>(std::max(box.height, 0)),
                            255);
        return box;
    }

  private:
    std::shared_ptr<gdi::Typeface> real_;
    bool boxes_;
};

template <bool Boxes> std::shared_ptr<gdi::Typeface> LoadStandIn(const gdi::FontRequest& request) {
    std::shared_ptr<gdi::Typeface> real = gdi::LoadTypeface(request);
    std::array<int, 256> advances{};
    for (int c = 0; c < 256; ++c) {
        advances[static_cast<std::size_t>(c)] = real->Advance(static_cast<unsigned char>(c));
    }
    const std::string family = real->Family();
    const gdi::TextMetrics metrics = real->Metrics();
    return std::make_shared<gdi::Typeface>(family, metrics, advances,
                                           std::make_unique<StandInSource>(std::move(real), Boxes));
}

} // namespace

bool ParseTextStandIn(std::string_view name, TextStandIn& out) {
    if (name == "boxes") {
        out = TextStandIn::Boxes;
    } else if (name == "none") {
        out = TextStandIn::Blank;
    } else {
        return false;
    }
    return true;
}

void UseTextStandIn(TextStandIn standIn) {
    switch (standIn) {
    case TextStandIn::None:
        gdi::SetTypefaceLoader(nullptr);
        break;
    case TextStandIn::Boxes:
        gdi::SetTypefaceLoader(LoadStandIn<true>);
        break;
    case TextStandIn::Blank:
        gdi::SetTypefaceLoader(LoadStandIn<false>);
        break;
    }
}

} // namespace frames
