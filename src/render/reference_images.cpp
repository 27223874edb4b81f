// Patterns 14-16: a TG18 reference image stretched over the whole client area, aspect ratio not
// kept. The image is loaded from the resources for every frame and released afterwards.

#include "render/reference_images.h"

#include "app/lumivex_dlg.h"
#include "platform/gdi/dib.h"

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
    CBitmap image;
    if (!image.Attach(LoadBitmapW(AfxFindResourceHandle(resource, RT_BITMAP), resource))) {
        return; // the client area stays black
    }
    BITMAP bm{};
    if (!GetObjectA(image, sizeof bm, &bm)) {
        return;
    }
    CDC memory;
    if (!memory.CreateCompatibleDC(dc)) {
        return;
    }
    CBitmap* old = memory.SelectObject(&image);
    dc->StretchBlt(0, 0, size.cx, size.cy, &memory, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    memory.SelectObject(old);
    // memory is deleted before image, as the bitmap must not be deleted while selected.
}
