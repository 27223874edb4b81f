#include "res/templates.h"

#include "res/language_texts.h"
#include "res/resource_ids.h"

#include <array>
#include <string>

namespace res {

using windowing::ControlClass;
using windowing::ControlTemplate;
using windowing::DialogTemplate;

namespace {

// The layout is the same in every language: only the texts and the language id differ.

DialogTemplate MainWindowTemplate(const LanguageTexts& texts) {
    DialogTemplate t;
    t.id = IDD_LUMIVEX_DIALOG;
    t.extended = true;
    t.cx = 320;
    t.cy = 200;
    t.style = 0x900000C0; // WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT
    t.exStyle = WS_EX_APPWINDOW;
    t.pointSize = 9;
    t.faceName = "宋体";
    t.charSet = 1;
    t.language = texts.resourceLanguage;
    t.controls = {
        {ControlClass::Button, IDC_HIDDEN_BUTTON, "Button1", 241, 22, 51, 49, 0x40000000, 0, 0}};
    return t;
}

DialogTemplate AboutBoxTemplate(const LanguageTexts& texts) {
    DialogTemplate t;
    t.id = IDD_ABOUTBOX;
    t.cx = 235;
    t.cy = 55;
    t.style = 0x80C800C0; // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
    t.caption = texts.aboutCaption;
    t.pointSize = 9;
    t.faceName = "宋体";
    t.language = texts.resourceLanguage;
    constexpr DWORD staticText = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX;
    t.controls = {
        {ControlClass::Static, IDC_STATIC, "", 11, 17, 20, 20, WS_CHILD | WS_VISIBLE | SS_ICON, 0,
         IDR_MAINFRAME},
        {ControlClass::Static, IDC_STATIC, std::string(texts.aboutVersion), 40, 10, 119, 8,
         staticText, 0, 0},
        {ControlClass::Static, IDC_STATIC, std::string(texts.aboutDescription), 40, 25, 119, 8,
         staticText, 0, 0},
        {ControlClass::Button, IDOK, std::string(texts.aboutOk), 178, 7, 50, 14,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 0},
    };
    return t;
}

DialogTemplate PictureOptionsTemplate(const LanguageTexts& texts) {
    DialogTemplate t;
    t.id = IDD_PICTURE_OPTIONS;
    t.cx = 217;
    t.cy = 261;
    t.style = 0x80C800C0; // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
    t.caption = texts.selectionCaption;
    t.pointSize = 10;
    t.faceName = "System";
    t.language = texts.resourceLanguage;
    static constexpr DWORD box = 0x50010003; // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX
    constexpr DWORD spareBox = 0x40010003;   // the same, not visible
    constexpr DWORD button = 0x50010000;     // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON
    auto check = [&](int id, int x, int y, DWORD style) {
        t.controls.push_back({ControlClass::Button, id, std::to_string(id - IDC_FIRST_PATTERN_BOX),
                              x, y, 100, 10, style, 0, 0});
    };
    // In tab order. Patterns 0-19 stand in the left column, 20-40 in the right one, and 42
    // above 41 at the foot of the left column.
    for (int i = 0; i < 15; ++i) {
        check(1003 + i, 6, 16 + 9 * i, box);
    }
    check(1018, 6, 153, box);
    check(1019, 6, 164, box);
    check(1020, 6, 174, box);
    check(1021, 6, 185, box);
    check(1022, 6, 195, box);
    check(1023, 110, 19, box);
    check(1024, 110, 27, box);
    for (int i = 0; i < 8; ++i) {
        check(1025 + i, 110, 37 + 10 * i, box);
    }
    check(1033, 110, 118, box);
    check(1034, 110, 127, box);
    check(1035, 110, 137, box);
    check(1036, 110, 147, box);
    check(1037, 110, 157, box);
    check(1038, 110, 166, box);
    check(1039, 110, 175, box);
    check(1040, 110, 183, box);
    check(1041, 110, 192, box);
    t.controls.push_back({ControlClass::Button, IDC_CLEAR_ALL, std::string(texts.clearAll), 22, 3,
                          37, 10, button, 0, 0});
    check(1042, 110, 200, box);
    check(1043, 110, 212, box);
    check(1044, 6, 214, box);
    check(1045, 6, 204, box);
    check(1046, 110, 226, box);
    check(1047, 110, 234, spareBox);
    check(1048, 110, 244, spareBox);
    return t;
}

struct LanguageTemplates {
    DialogTemplate mainWindow, aboutBox, pictureOptions;
};

const LanguageTemplates& TemplatesOf(base::UiLanguage language) {
    static const auto all = [] {
        std::array<LanguageTemplates, std::size(base::kUiLanguages)> built;
        for (base::UiLanguage l : base::kUiLanguages) {
            const LanguageTexts& texts = TextsOf(l);
            built[static_cast<std::size_t>(l)] = {
                MainWindowTemplate(texts), AboutBoxTemplate(texts), PictureOptionsTemplate(texts)};
        }
        return built;
    }();
    return all[static_cast<std::size_t>(language)];
}

} // namespace

const DialogTemplate* FindDialogTemplate(base::UiLanguage language, int id) {
    const LanguageTemplates& templates = TemplatesOf(language);
    switch (id) {
    case IDD_LUMIVEX_DIALOG:
        return &templates.mainWindow;
    case IDD_ABOUTBOX:
        return &templates.aboutBox;
    case IDD_PICTURE_OPTIONS:
        return &templates.pictureOptions;
    default:
        return nullptr;
    }
}

} // namespace res
