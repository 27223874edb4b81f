// A dialog's controls as the platform's own buttons and statics, and the font they show their
// texts in.

#include "platform/win32/native/win32.h"

#include "platform/base/wide_string.h"

#include <map>
#include <tuple>

namespace win32native {

namespace {

struct FontKey {
    std::string face;
    int pointSize;
    int weight;
    bool italic;
    bool operator<(const FontKey& o) const {
        return std::tie(face, pointSize, weight, italic) <
               std::tie(o.face, o.pointSize, o.weight, o.italic);
    }
};

std::map<FontKey, HFONT>& Fonts() {
    static std::map<FontKey, HFONT> fonts;
    return fonts;
}

int CALLBACK NoteFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data) {
    auto* found = reinterpret_cast<std::wstring*>(data);
    // Faces named with '@' are the vertical-writing variants.
    if (found->empty() && lf->lfFaceName[0] != L'@') {
        *found = lf->lfFaceName;
    }
    return 1;
}

// The first face the system has with Chinese (GB 2312) glyphs: the named one, or any when
// face is empty.
std::wstring ChineseFace(const std::wstring& face) {
    LOGFONTW lf{};
    lf.lfCharSet = GB2312_CHARSET;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    std::wstring found;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &lf, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

// The platform's user-interface face for Chinese text. Under Wine the host's fonts stand in:
// of WenQuanYi Zen Hei, the cut made for small sizes (the others lose strokes at dialog sizes
// there), or any face with Chinese glyphs.
std::wstring ChineseUserInterfaceFace() {
    for (const wchar_t* face : {L"Microsoft YaHei UI", L"Microsoft YaHei", L"SimSun", L"NSimSun",
                                L"WenQuanYi Zen Hei Sharp", L"Noto Sans CJK SC"}) {
        if (!ChineseFace(face).empty()) {
            return face;
        }
    }
    return ChineseFace(L"");
}

} // namespace

void ReleaseDialogFonts() {
    for (auto& [key, font] : Fonts()) {
        DeleteObject(font);
    }
    Fonts().clear();
}

void* FontForDialog(const DialogFont& font) {
    const FontKey key{font.face, font.pointSize, font.weight, font.italic};
    if (auto it = Fonts().find(key); it != Fonts().end()) {
        return it->second;
    }
    // The labels are Chinese: the template's face serves when it has Chinese glyphs (SimSun
    // on a Chinese system); the system font and Latin faces give way to the Chinese UI face.
    std::wstring face = base::WideText(font.face);
    if (face.empty() || face == L"System" || ChineseFace(face).empty()) {
        face = ChineseUserInterfaceFace();
    }
    LOGFONTW lf{};
    // Points at 96 pixels per inch, as the window layer lays the dialog out.
    lf.lfHeight = -((std::max(font.pointSize, 1) * 96 + 36) / 72);
    lf.lfWeight = font.weight > 0 ? font.weight : FW_NORMAL;
    lf.lfItalic = font.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    HFONT created = CreateFontIndirectW(&lf);
    if (!created) {
        created = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    Fonts()[key] = created;
    return created;
}

std::string FontFace(void* font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, static_cast<HFONT>(font));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return base::Utf8FromWide(face);
}

Handle CreateControl(Handle dialog, ControlKind kind, int id, bool prefixes, void* font) {
    const wchar_t* cls = L"BUTTON";
    // Buttons report focus and double clicks; check boxes are ticked by the window layer
    // alone, so the button's own ticking stays off.
    DWORD style = WS_CHILD | WS_TABSTOP | BS_NOTIFY;
    switch (kind) {
    case ControlKind::CheckBox:
        style |= BS_CHECKBOX;
        break;
    case ControlKind::PushButton:
        style |= BS_PUSHBUTTON;
        break;
    case ControlKind::DefaultPushButton:
        style |= BS_DEFPUSHBUTTON;
        break;
    case ControlKind::Text:
        cls = L"STATIC";
        style = WS_CHILD | SS_LEFT | (prefixes ? 0 : SS_NOPREFIX);
        break;
    case ControlKind::Icon:
        cls = L"STATIC";
        style = WS_CHILD | SS_ICON;
        break;
    }
    // Some of the template's controls overlap by a few pixels: each keeps out of the ones
    // created before it, so the overlap looks the same whichever control repaints last.
    style |= WS_CLIPSIBLINGS;
    HWND control = CreateWindowExW(0, cls, L"", style, 0, 0, 0, 0, ToWindow(dialog),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control && font) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return control;
}

void UpdateControl(Handle control, const std::string& text, int check, const Rect& rect,
                   bool visible, bool enabled) {
    HWND c = ToWindow(control);
    const std::wstring wide = base::WideText(text);
    const int length = GetWindowTextLengthW(c);
    std::wstring current(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(c, current.data(), length + 1);
    current.resize(static_cast<std::size_t>(length));
    if (current != wide) {
        SetWindowTextW(c, wide.c_str());
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(c, GWL_STYLE));
    wchar_t cls[16] = {};
    GetClassNameW(c, cls, 16);
    if (_wcsicmp(cls, L"Button") == 0) {
        if ((style & BS_TYPEMASK) == BS_CHECKBOX &&
            SendMessageW(c, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(check)) {
            SendMessageW(c, BM_SETCHECK, static_cast<WPARAM>(check), 0);
        }
    }
    RECT now{};
    GetWindowRect(c, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(c), reinterpret_cast<POINT*>(&now), 2);
    const RECT wanted = ToRect(rect);
    if (!EqualRect(&now, &wanted)) {
        SetWindowPos(c, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                     wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (static_cast<bool>(IsWindowEnabled(c)) != enabled) {
        EnableWindow(c, enabled ? TRUE : FALSE);
    }
    if (((style & WS_VISIBLE) != 0) != visible) {
        ShowWindow(c, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void SetControlIcon(Handle control, IconHandle icon) {
    SendMessageW(ToWindow(control), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void FocusControl(Handle control) {
    if (GetFocus() != ToWindow(control)) {
        SetFocus(ToWindow(control));
    }
}

void ShowKeyboardCues(Handle dialog) {
    SendMessageW(ToWindow(dialog), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

} // namespace win32native
