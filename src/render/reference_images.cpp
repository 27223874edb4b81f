// Patterns 14-16: a TG18 reference image stretched over the whole client area, aspect ratio not
// kept.

#include "render/reference_images.h"

#include "app/lumivex_dlg.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/image.h"

namespace render {

int ReferenceImageId(int id, int W, int H) {
    // The 2048 x 2560 versions only on a portrait screen wider than 2000 pixels.
    const bool portraitHighRes = W > 2000 && W < H;
    switch (id) {
    case 14:
        return portraitHighRes ? 135 : 130; // TG18-QC
    case 15:
        return portraitHighRes ? 137 : 133; // TG18-AFC
    case 16:
        return portraitHighRes ? 136 : 129; // TG18-AD
    default:
        return 0;
    }
}

} // namespace render

void CLumivexDlg::DrawReferenceImage(CDC* dc, int id) {
    const CSize size = ClientSize();
    const int resource = render::ReferenceImageId(id, size.cx, size.cy);
    // Stretched straight from the resource's rows, each converted as the stretch reads it:
    // loading it as a bitmap first converted the whole picture into a copy of its own on every
    // frame, as much memory traffic as the frame itself at the picture's native size.
    CImage picture;
    picture.LoadFromResource(AfxFindResourceHandle(resource, RT_BITMAP), resource);
    if (picture.IsNull() || !picture.Draw(dc, CRect(0, 0, size.cx, size.cy))) {
        // The frame is not cleared before this pattern: without its picture it is black.
        dc->FillSolidRect(0, 0, size.cx, size.cy, 0x000000);
    }
}
