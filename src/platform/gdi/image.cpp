#include "platform/gdi/image.h"

#include <map>
#include <mutex>

namespace {

// The resource pictures of 24 and 32 bits converted to surface pixels, once per process: the
// start screen draws them on every paint, and converting them was half of its cost. Resources
// never change and live as long as the program, so their rows' address names them. 8-bit
// pictures (the large TG18 images) are not kept: their conversion is one table look-up a pixel,
// and a converted copy would take four times their memory.
std::shared_ptr<const gdi::Surface> ConvertedResource(const gdi::DibView& dib) {
    if (dib.bitsPerPixel == 8) {
        return nullptr;
    }
    static std::mutex guard;
    static std::map<const std::uint8_t*, std::shared_ptr<const gdi::Surface>> converted;
    const std::lock_guard<std::mutex> lock(guard);
    auto& entry = converted[dib.bits];
    if (!entry) {
        auto pixels = std::make_shared<gdi::Surface>();
        gdi::CopyDibToSurface(dib, *pixels);
        entry = std::move(pixels);
    }
    return entry;
}

} // namespace

void CImage::LoadFromResource(HINSTANCE instance, UINT id) {
    Destroy();
    const std::vector<std::uint8_t>* bytes =
        base::FindBitmapResource(instance, static_cast<int>(id));
    gdi::DibView dib;
    if (!bytes || !gdi::ParseDib(bytes->data(), bytes->size(), &dib)) {
        return;
    }
    width_ = dib.width;
    height_ = dib.height;
    bitsPerPixel_ = dib.bitsPerPixel;
    bottomUp_ = dib.bottomUp;
    stride_ = dib.stride;
    if (dib.palette) {
        palette_.assign(dib.palette, dib.palette + 4 * static_cast<std::size_t>(dib.paletteSize));
    }
    resourceBits_ = dib.bits;
    converted_ = ConvertedResource(dib);
}

BOOL CImage::Create(int width, int height, int bitsPerPixel, DWORD /*flags*/) {
    if (!IsNull() || width <= 0 || height == 0 ||
        (bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
        return FALSE;
    }
    width_ = width;
    height_ = height < 0 ? -height : height;
    bitsPerPixel_ = bitsPerPixel;
    bottomUp_ = height > 0;
    stride_ = gdi::DibStride(width, bitsPerPixel);
    if (bitsPerPixel == 8) {
        palette_.resize(256 * 4);
        for (int k = 0; k < 256; ++k) {
            for (int c = 0; c < 3; ++c) {
                palette_[4 * k + c] = static_cast<std::uint8_t>(k);
            }
        }
    }
    bits_.assign(stride_ * height_, 0);
    return TRUE;
}

void CImage::Destroy() {
    width_ = height_ = bitsPerPixel_ = 0;
    bottomUp_ = true;
    stride_ = 0;
    palette_.clear();
    bits_.clear();
    resourceBits_ = nullptr;
    converted_.reset();
}

void CImage::KeepConvertedCopy() {
    if (IsNull() || converted_) {
        return;
    }
    auto pixels = std::make_shared<gdi::Surface>();
    gdi::CopyDibToSurface(View(), *pixels);
    converted_ = std::move(pixels);
}

void* CImage::GetBits() {
    converted_.reset();  // the caller may change the pixels
    if (resourceBits_) { // the caller may write: take a copy of the rows first
        bits_.assign(resourceBits_, resourceBits_ + stride_ * height_);
        resourceBits_ = nullptr;
    }
    return const_cast<void*>(static_cast<const CImage*>(this)->GetBits());
}

const void* CImage::GetBits() const {
    if (IsNull()) {
        return nullptr;
    }
    return Bits() + (bottomUp_ ? stride_ * (height_ - 1) : 0);
}

int CImage::GetPitch() const {
    const int pitch = static_cast<int>(stride_);
    return bottomUp_ ? -pitch : pitch;
}

gdi::DibView CImage::View() const {
    gdi::DibView v;
    v.width = width_;
    v.height = height_;
    v.bottomUp = bottomUp_;
    v.bitsPerPixel = bitsPerPixel_;
    v.stride = stride_;
    v.palette = palette_.empty() ? nullptr : palette_.data();
    v.paletteSize = static_cast<int>(palette_.size() / 4);
    v.bits = Bits();
    return v;
}

BOOL CImage::Draw(HDC dc, int x, int y, int width, int height) const {
    if (IsNull() || !dc) {
        return FALSE;
    }
    // As a DIB section selected into a memory DC and stretched from there; the rows are read
    // where they lie.
    CDC target;
    target.Attach(dc);
    const BOOL done =
        converted_
            ? gdi::StretchPixels(&target, x, y, width, height, *converted_, 0, 0, width_, height_)
            : gdi::StretchDib(&target, x, y, width, height, View(), 0, 0, width_, height_);
    target.Detach();
    return done;
}

BOOL CImage::Draw(HDC dc, const RECT& dest) const {
    return Draw(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top);
}

BOOL CImage::Draw(CDC* dc, const RECT& dest) const {
    return dc ? Draw(dc->GetSafeHdc(), dest) : FALSE;
}
