// Which language the program speaks, and that it says everything in it.
#include "app/command_line.h"
#include "app/language_option.h"
#include "res/language_texts.h"
#include "res/resource_ids.h"
#include "res/templates.h"
#include "support/language.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <sstream>

using base::UiLanguage;
using testing_support::LangOnly;
using testing_support::ScopedLanguage;
using testing_support::ScopedLocaleEnvironment;
using testing_support::Session;

namespace {

// The texts as the program was designed, written out here on their own so that a change to the
// resources cannot change what they are checked against.
const std::vector<std::string> kDesignedLabels = {"最左边一条垂直线",
                                                  "最右边一条垂直线",
                                                  "最两边各一条垂直线",
                                                  "最左边两条垂直线",
                                                  "最右边两条垂直线",
                                                  "最两边边两条垂直线",
                                                  "隔行垂直线",
                                                  "交叉黑白点(adujst)",
                                                  "Tarvoauto",
                                                  "中心白",
                                                  "九方框",
                                                  "三方框",
                                                  "五方框",
                                                  "灰阶",
                                                  "Test_TG18-QC",
                                                  "Test_TG18-AFC",
                                                  "Test_TG18-AD",
                                                  "80%均匀性",
                                                  "10%均匀性",
                                                  "对准中心线",
                                                  "64灰阶",
                                                  "127灰阶",
                                                  "160灰阶",
                                                  "192灰阶",
                                                  "全白",
                                                  "全黑",
                                                  "全红",
                                                  "全绿",
                                                  "全蓝",
                                                  "单一灰阶",
                                                  "中心灰阶",
                                                  "反向中心灰阶",
                                                  "文字显示",
                                                  "正向相邻两阶画面",
                                                  "反向相邻两阶画面",
                                                  "Din6868-57 uniformly",
                                                  "灰阶1024*1024",
                                                  "对角1024*1024",
                                                  "18灰阶",
                                                  "24色",
                                                  "BRGBW block",
                                                  "6868-157-un10",
                                                  "6868-157-un80"};

struct Shown {
    std::string menuItem;
    std::string aboutCaption;
    std::vector<std::string> aboutTexts; // the statics' texts and the button's, in order
    std::string dialogCaption;
    std::string clearAll;
    std::vector<std::string> labels; // the pattern boxes', in pattern order
};

// Everything the operator reads, as a run of the program shows it: the system menu's item, the
// About box and the selection dialog.
Shown WhatTheProgramShows() {
    Shown shown;
    Session s;
    s.backend.Run([&] {
        CMenu* menu = Session::Main().GetSystemMenu(FALSE);
        for (const auto& item : menu->m_hMenu->items) {
            if (item.id == IDM_ABOUTBOX) {
                shown.menuItem = item.text;
            }
        }
        Session::Main().SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    });
    s.backend.Run([&] {
        HWND about = windowing::ActiveModalWindow();
        shown.aboutCaption = about->text;
        for (const auto& c : about->children) {
            if (!c->text.empty()) {
                shown.aboutTexts.push_back(c->text);
            }
        }
    });
    s.backend.KeyDown(VK_RETURN); // closes the About box
    s.backend.KeyDown(VK_RETURN); // opens the selection dialog
    s.backend.Run([&] {
        HWND dialog = windowing::ActiveModalWindow();
        shown.dialogCaption = dialog->text;
        shown.clearAll = dialog->Child(IDC_CLEAR_ALL)->text;
        for (int i = 0; i < 43; ++i) {
            shown.labels.push_back(dialog->Child(IDC_FIRST_PATTERN_BOX + i)->text);
        }
    });
    s.Run();
    return shown;
}

Shown ShownWithEnvironment(const std::string& lang) {
    auto env = LangOnly(lang);
    ScopedLanguage language(LanguageFromEnvironment());
    return WhatTheProgramShows();
}

TEST(Language, TheLocaleVariablesDecideInTheCLibrarysOrder) {
    struct Case {
        std::optional<std::string> lcAll, lcMessages, lang;
        UiLanguage expected;
    };
    const std::vector<Case> cases = {
        {std::nullopt, std::nullopt, std::nullopt, UiLanguage::English},
        {std::nullopt, std::nullopt, "de_DE.UTF-8", UiLanguage::German},
        {std::nullopt, "fr_FR.UTF-8", "de_DE.UTF-8", UiLanguage::French},
        {"zh_CN.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8", UiLanguage::Chinese},
        {"en_US.UTF-8", std::nullopt, "zh_CN.UTF-8", UiLanguage::English},
        // Empty values count as unset.
        {"", "", "fr_FR.UTF-8", UiLanguage::French},
        {"", "de_CH.UTF-8", "", UiLanguage::German},
        // The C locale is English, even above a language further down.
        {"C", std::nullopt, "de_DE.UTF-8", UiLanguage::English},
        {std::nullopt, "POSIX", "fr_FR.UTF-8", UiLanguage::English},
        {std::nullopt, std::nullopt, "C.UTF-8", UiLanguage::English},
    };
    for (const Case& c : cases) {
        ScopedLocaleEnvironment env(c.lcAll, c.lcMessages, c.lang);
        EXPECT_EQ(LanguageFromEnvironment(), c.expected)
            << c.lcAll.value_or("-") << " " << c.lcMessages.value_or("-") << " "
            << c.lang.value_or("-");
    }
}

TEST(Language, LocaleNamesOfEveryRegionAndSpelling) {
    for (const char* chinese : {"zh_CN.UTF-8", "zh_TW.UTF-8", "zh_HK.Big5", "zh_SG", "zh",
                                "zh-Hans-CN", "ZH_cn.gb18030"}) {
        EXPECT_EQ(base::LanguageOfLocale(chinese), UiLanguage::Chinese) << chinese;
    }
    for (const char* german : {"de_DE.UTF-8", "de_AT@euro", "de_CH", "de-DE", "de"}) {
        EXPECT_EQ(base::LanguageOfLocale(german), UiLanguage::German) << german;
    }
    for (const char* french : {"fr_FR.UTF-8", "fr_CA.ISO-8859-1", "fr_BE@euro", "fr-CH", "fr"}) {
        EXPECT_EQ(base::LanguageOfLocale(french), UiLanguage::French) << french;
    }
    for (const char* other : {"en_US.UTF-8", "en_GB", "es_ES.UTF-8", "ja_JP.UTF-8", "C", "POSIX",
                              "", "zhx_CN", "fra_FR", "d", "_DE"}) {
        EXPECT_EQ(base::LanguageOfLocale(other), UiLanguage::English) << other;
    }
}

TEST(Language, TheLanguageOptionOverridesTheEnvironment) {
    auto env = LangOnly("fr_FR.UTF-8");
    ScopedLanguage language(LanguageFromEnvironment());
    std::ostringstream out, err;
    const char* spaced[] = {"lumivex", "--language", "de"};
    EXPECT_EQ(HandleCommandLine(3, spaced, out, err), std::nullopt);
    EXPECT_EQ(WhatTheProgramShows().dialogCaption, res::kGermanTexts.selectionCaption);
    const char* joined[] = {"lumivex", "--language=ZH", "-platform", "offscreen"};
    EXPECT_EQ(HandleCommandLine(4, joined, out, err), std::nullopt);
    EXPECT_EQ(WhatTheProgramShows().dialogCaption, "画面显示选项");
    EXPECT_EQ(err.str(), "");
    const char* help[] = {"lumivex", "--help"};
    EXPECT_EQ(HandleCommandLine(2, help, out, err), 0);
    EXPECT_NE(out.str().find("--language zh|en|de|fr"), std::string::npos) << out.str();
}

TEST(Language, AnUnknownLanguageCodeFailsNamingTheFour) {
    for (std::vector<const char*> args : {std::vector<const char*>{"lumivex", "--language", "es"},
                                          {"lumivex", "--language=eng"},
                                          {"lumivex", "--language"},
                                          {"lumivex", "--language", "--help"}}) {
        ScopedLanguage language(UiLanguage::English);
        std::ostringstream out, err;
        EXPECT_EQ(HandleCommandLine(static_cast<int>(args.size()), args.data(), out, err), 2)
            << args.back();
        for (const char* code : {"zh", "en", "de", "fr"}) {
            EXPECT_NE(err.str().find(code), std::string::npos) << err.str();
        }
        EXPECT_EQ(out.str(), "");
        // Nothing was switched.
        EXPECT_EQ(WhatTheProgramShows().dialogCaption, res::kEnglishTexts.selectionCaption);
    }
}

TEST(Language, InChineseEveryTextIsTheDesignedOne) {
    const Shown shown = ShownWithEnvironment("zh_CN.UTF-8");
    EXPECT_EQ(shown.menuItem, "关于 Lumivex(&A)...");
    EXPECT_EQ(shown.aboutCaption, "关于 Lumivex");
    EXPECT_EQ(shown.aboutTexts,
              (std::vector<std::string>{"Lumivex 1.0 版", "显示器测试图案发生器", "确定"}));
    EXPECT_EQ(shown.dialogCaption, "画面显示选项");
    EXPECT_EQ(shown.clearAll, "Clear all");
    EXPECT_EQ(shown.labels, kDesignedLabels);
}

TEST(Language, EveryOtherLanguageShowsItsOwnTextsInPatternOrder) {
    for (const auto& [lang, texts] : {std::pair{"en_US.UTF-8", &res::kEnglishTexts},
                                      std::pair{"de_DE.UTF-8", &res::kGermanTexts},
                                      std::pair{"fr_FR.UTF-8", &res::kFrenchTexts}}) {
        SCOPED_TRACE(lang);
        const Shown shown = ShownWithEnvironment(lang);
        EXPECT_EQ(shown.menuItem, texts->aboutMenuItem);
        EXPECT_EQ(shown.aboutCaption, texts->aboutCaption);
        EXPECT_EQ(shown.aboutTexts, (std::vector<std::string>{std::string(texts->aboutVersion),
                                                              std::string(texts->aboutDescription),
                                                              std::string(texts->aboutOk)}));
        EXPECT_EQ(shown.dialogCaption, texts->selectionCaption);
        EXPECT_EQ(shown.clearAll, texts->clearAll);
        ASSERT_EQ(shown.labels.size(), 43u);
        std::set<std::string> distinct;
        for (std::size_t i = 0; i < 43; ++i) {
            EXPECT_EQ(shown.labels[i], texts->patternLabels[i]) << i;
            distinct.insert(shown.labels[i]);
            // The labels that were Latin to begin with are names, the same in every language;
            // all the others are translated.
            const bool latin = std::all_of(kDesignedLabels[i].begin(), kDesignedLabels[i].end(),
                                           [](unsigned char c) { return c < 0x80; });
            EXPECT_EQ(shown.labels[i] == kDesignedLabels[i], latin) << i;
        }
        EXPECT_EQ(distinct.size(), 43u); // no two patterns look alike in the list
    }
    // The English labels say what the patterns show.
    const Shown english = ShownWithEnvironment("en_US.UTF-8");
    EXPECT_EQ(english.labels[20], "Gray field, level 64");
    EXPECT_EQ(english.labels[24], "Full white");
    EXPECT_EQ(english.labels[32], "Text page");
    EXPECT_EQ(english.menuItem, "&About Lumivex...");
}

TEST(Language, TheLayoutIsTheSameInEveryLanguage) {
    for (int id : {IDD_LUMIVEX_DIALOG, IDD_ABOUTBOX, IDD_PICTURE_OPTIONS}) {
        const windowing::DialogTemplate& chinese =
            *res::FindDialogTemplate(UiLanguage::Chinese, id);
        for (UiLanguage l : {UiLanguage::English, UiLanguage::German, UiLanguage::French}) {
            const windowing::DialogTemplate& t = *res::FindDialogTemplate(l, id);
            EXPECT_EQ(std::tie(t.id, t.extended, t.x, t.y, t.cx, t.cy, t.style, t.exStyle,
                               t.pointSize, t.faceName, t.weight, t.italic, t.charSet),
                      std::tie(chinese.id, chinese.extended, chinese.x, chinese.y, chinese.cx,
                               chinese.cy, chinese.style, chinese.exStyle, chinese.pointSize,
                               chinese.faceName, chinese.weight, chinese.italic, chinese.charSet))
                << id;
            EXPECT_EQ(t.language, res::TextsOf(l).resourceLanguage);
            ASSERT_EQ(t.controls.size(), chinese.controls.size());
            for (std::size_t i = 0; i < t.controls.size(); ++i) {
                const windowing::ControlTemplate& c = t.controls[i];
                const windowing::ControlTemplate& z = chinese.controls[i];
                EXPECT_EQ(std::tie(c.cls, c.id, c.x, c.y, c.cx, c.cy, c.style, c.exStyle, c.iconId),
                          std::tie(z.cls, z.id, z.x, z.y, z.cx, z.cy, z.style, z.exStyle, z.iconId))
                    << id << " control " << i;
            }
        }
    }
    EXPECT_EQ(res::FindDialogTemplate(UiLanguage::Chinese, IDD_PICTURE_OPTIONS)->language, 2052);
}

} // namespace
