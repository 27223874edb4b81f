// Pattern 32: small white text on black in five blocks, one in each corner and one in the
// centre, to judge text sharpness across the panel.

#include "fields/text_page.h"

#include "app/lumivex_dlg.h"
#include "platform/gdi/scoped_select.h"

#include <algorithm>

namespace fields {

std::string_view TextPageText() {
    static constexpr std::string_view kText =
        "We all talk about oure computers, but the monitor is what we actually\t\t"
        "see when we are using computers.It is our visual link to all\t\t"
        "applications,Weall talk about oure computer,bjut the monitor is\t\t"
        "what we acturall see when we are using computers,It is our visual\t\t"
        "link to all We all talk about oure computers, but the monitor is\t\t"
        "what we actually see when we are using computers.It is our visual\t\t"
        "link to all applications,Weall talk about oure computer,bjut the \t\t"
        "monitor is what we acturall see when we are using computers,It is\t\t"
        "our visual We all talk about oure computers, but the monitor is\t\t"
        "what we actually see when we are using computers.It is our visual\t\t"
        "link to all applications,Weall talk about oure computer,bjut the\t\t"
        "monitor is what we acturall see when we are using computers,It is ";
    return kText;
}

} // namespace fields

void CLumivexDlg::DrawTextPage(CDC* dc) {
    const CSize size = ClientSize();
    const int W = size.cx, H = size.cy;

    ScopedSelect font(dc, &m_textFont);
    // The background mode stays opaque: each line sits on cells of the black that the frame's
    // clear left as the background colour.
    dc->SetTextColor(0xFFFFFF);
    const int d = W < 400 || H < 400 ? std::min(W, H) / 8 : 100;
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL;
    const POINT centres[5] = {
        {d, d}, {W - d, d}, {W - d, H - d}, {d, H - d}, {(2 * W) / 4, (2 * H) / 4}};
    for (const POINT& c : centres) {
        RECT block;
        SetRect(&block, c.x, c.y, c.x, c.y);
        InflateRect(&block, d, d);
        dc->DrawText(fields::TextPageText(), &block, kFormat);
    }
}
