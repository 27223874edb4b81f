#include "res/templates.h"

#include "res/language_texts.h"
#include "res/resource_ids.h"

#include <array>
#include <string>
#include <string_view>

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

// A dialog with a caption and a system menu, in the language of its texts.
DialogTemplate CaptionedDialog(int id, int cx, int cy, std::string_view caption, int pointSize,
                               std::string_view faceName, const LanguageTexts& texts) {
    return {.id = id,
            .cx = cx,
            .cy = cy,
            .style = 0x80C800C0, // WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
            .caption = std::string(caption),
            .pointSize = pointSize,
            .faceName = std::string(faceName),
            .language = texts.resourceLanguage,
            .controls = {}};
}

DialogTemplate AboutBoxTemplate(const LanguageTexts& texts) {
    DialogTemplate t = CaptionedDialog(IDD_ABOUTBOX, 235, 55, texts.aboutCaption, 9, "宋体", texts);
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
    DialogTemplate t =
        CaptionedDialog(IDD_PICTURE_OPTIONS, 217, 261, texts.selectionCaption, 10, "System", texts);
    constexpr DWORD box = 0x50010003;      // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX
    constexpr DWORD spareBox = 0x40010003; // the same, not visible
    constexpr DWORD button = 0x50010000;   // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON
    // The boxes' top-left corners in tab order, which is the order of their ids (1003 to 1048)
    // with Clear All between the boxes of patterns 38 and 39. Patterns 0-19 stand in the left
    // column, 20-40 in the right one, and 42 above 41 at the foot of the left column; the last
    // two boxes are spare and hidden.
    constexpr int kLeft = 6;
    constexpr int kRight = 110;
    constexpr POINT kBoxes[] = {
        {kLeft, 16},   {kLeft, 25},   {kLeft, 34},   {kLeft, 43},   {kLeft, 52},   {kLeft, 61},
        {kLeft, 70},   {kLeft, 79},   {kLeft, 88},   {kLeft, 97},   {kLeft, 106},  {kLeft, 115},
        {kLeft, 124},  {kLeft, 133},  {kLeft, 142},  {kLeft, 153},  {kLeft, 164},  {kLeft, 174},
        {kLeft, 185},  {kLeft, 195},  {kRight, 19},  {kRight, 27},  {kRight, 37},  {kRight, 47},
        {kRight, 57},  {kRight, 67},  {kRight, 77},  {kRight, 87},  {kRight, 97},  {kRight, 107},
        {kRight, 118}, {kRight, 127}, {kRight, 137}, {kRight, 147}, {kRight, 157}, {kRight, 166},
        {kRight, 175}, {kRight, 183}, {kRight, 192}, {kRight, 200}, {kRight, 212}, {kLeft, 214},
        {kLeft, 204},  {kRight, 226}, {kRight, 234}, {kRight, 244}};
    constexpr int kBoxesBeforeClearAll = 39;
    constexpr int kSpareBoxes = 2;
    const int count = static_cast<int>(std::size(kBoxes));
    for (int i = 0; i < count; ++i) {
        if (i == kBoxesBeforeClearAll) {
            t.controls.push_back({ControlClass::Button, IDC_CLEAR_ALL, std::string(texts.clearAll),
                                  22, 3, 37, 10, button, 0, 0});
        }
        const int id = IDC_FIRST_PATTERN_BOX + i;
        t.controls.push_back({ControlClass::Button, id, std::to_string(i), kBoxes[i].x, kBoxes[i].y,
                              100, 10, i < count - kSpareBoxes ? box : spareBox, 0, 0});
    }
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
