#include "res/resource_ids.h"
#include "support/session.h"

#include <gtest/gtest.h>

using testing_support::Session;
using testing_support::SettingsBytes;

namespace {

HWND Dialog() {
    HWND w = windowing::ActiveModalWindow();
    return w && w->text == "画面显示选项" ? w : nullptr;
}

int CountVisible(HWND dialog, bool checkBoxes) {
    int n = 0;
    for (const auto& c : dialog->children) {
        const bool isBox = (c->style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
        if (c->Visible() && isBox == checkBoxes) {
            ++n;
        }
    }
    return n;
}

TEST(PictureOptions, OpensWithLabelsTicksAndFocusOnTheFirstBox) {
    Session s;
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] {
        HWND d = Dialog();
        ASSERT_NE(d, nullptr);
        EXPECT_FALSE(Session::Main().IsWindowEnabled());
        EXPECT_EQ(CountVisible(d, true), 43);
        EXPECT_EQ(CountVisible(d, false), 1);
        EXPECT_EQ(d->children[static_cast<std::size_t>(d->focus)]->id, IDC_FIRST_PATTERN_BOX);
        EXPECT_EQ(d->Child(IDC_FIRST_PATTERN_BOX)->text, "最左边一条垂直线");
        EXPECT_EQ(d->Child(IDC_FIRST_PATTERN_BOX + 42)->text, "6868-157-un80");
        for (int i = 0; i < 43; ++i) {
            EXPECT_EQ(d->Child(IDC_FIRST_PATTERN_BOX + i)->check, BST_CHECKED) << i;
        }
        EXPECT_FALSE(d->Child(IDC_SPARE_BOX)->Visible());
    });
    s.Run();
}

TEST(PictureOptions, ClearAllThenEnterEmptiesTheSelection) {
    Session s;
    s.backend.KeyDown(VK_RIGHT); // position stays 0; make it non-zero first
    s.backend.KeyDown(VK_LEFT);
    s.backend.KeyDown(VK_RETURN);
    s.backend.ClickControl(IDC_CLEAR_ALL);
    s.backend.ClickControl(IDC_CLEAR_ALL); // a second press changes nothing
    s.backend.Run([] {
        EXPECT_TRUE(Session::Main().EnabledSet().all()); // not before the dialog closes
        EXPECT_EQ(Dialog()->Child(IDC_FIRST_PATTERN_BOX + 7)->check, BST_UNCHECKED);
    });
    s.backend.KeyDown(VK_TAB); // focus leaves the button: Enter is OK again
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([&] {
        CLumivexDlg& main = Session::Main();
        EXPECT_EQ(Dialog(), nullptr);
        EXPECT_TRUE(main.EnabledSet().none());
        EXPECT_EQ(main.Playlist(), (std::vector<std::int32_t>{0}));
        EXPECT_EQ(main.Position(), 0);
        EXPECT_TRUE(main.IsWindowEnabled());
        // The start screen is shown after the dialog.
        EXPECT_EQ(s.Screen().At(1, 1), 0x808080u);
    });
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] {
        for (int i = 0; i < 43; ++i) {
            EXPECT_EQ(Dialog()->Child(IDC_FIRST_PATTERN_BOX + i)->check, BST_UNCHECKED);
        }
    });
    s.Run();
    EXPECT_EQ(s.ReadSettings(), SettingsBytes(0, std::string(43, '0')));
}

TEST(PictureOptions, EscapeKeepsTheDialogOpenAndTheCloseBoxStoresTheTicks) {
    Session s;
    s.backend.KeyDown(VK_RETURN);
    s.backend.ClickControl(IDC_CLEAR_ALL);
    s.backend.KeyDown(VK_ESCAPE);
    s.backend.Run([] {
        ASSERT_NE(Dialog(), nullptr);
        EXPECT_EQ(Dialog()->Child(IDC_FIRST_PATTERN_BOX)->check, BST_UNCHECKED);
        EXPECT_TRUE(Session::Main().EnabledSet().all());
    });
    s.backend.Close();
    s.backend.Run([] {
        EXPECT_EQ(Dialog(), nullptr);
        EXPECT_TRUE(Session::Main().EnabledSet().none());
        EXPECT_EQ(Session::Main().Playlist(), (std::vector<std::int32_t>{0}));
    });
    s.Run();
}

TEST(PictureOptions, AltF4ClosesLikeTheCloseBox) {
    Session s;
    s.backend.KeyDown(VK_RETURN);
    s.backend.KeyDown(VK_SPACE); // unticks pattern 0, which has the focus
    s.backend.SysKeyDown(VK_F4);
    s.backend.Run([] {
        EXPECT_EQ(Dialog(), nullptr);
        EXPECT_FALSE(Session::Main().EnabledSet().test(0));
        EXPECT_EQ(Session::Main().EnabledSet().count(), 42u);
    });
    s.Run();
}

TEST(PictureOptions, UntickingOneBoxRemovesItsPattern) {
    Session s;
    s.backend.KeyDown(VK_RETURN);
    s.backend.ClickControl(IDC_FIRST_PATTERN_BOX + 5);
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] {
        const auto& list = Session::Main().Playlist();
        EXPECT_EQ(list.size(), 42u);
        EXPECT_EQ(std::find(list.begin(), list.end(), 5), list.end());
        EXPECT_FALSE(Session::Main().EnabledSet().test(5));
        EXPECT_EQ(Session::Main().Position(), 0);
    });
    s.Run();
}

TEST(PictureOptions, EnterOnTheClearAllButtonPressesIt) {
    Session s;
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] { Dialog()->Child(IDC_CLEAR_ALL)->controlWnd->SetFocus(); });
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] {
        ASSERT_NE(Dialog(), nullptr);
        EXPECT_EQ(Dialog()->Child(IDC_FIRST_PATTERN_BOX + 42)->check, BST_UNCHECKED);
    });
    s.Run();
}

TEST(PictureOptions, AnUnchangedRunStillResetsThePosition) {
    Session s;
    s.WriteSettings(SettingsBytes(10, std::string(43, '1')));
    s.backend.KeyDown(VK_RETURN);
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] {
        EXPECT_EQ(Session::Main().Position(), 0);
        EXPECT_EQ(Session::Main().Playlist().size(), 43u);
    });
    s.Run();
}

TEST(PictureOptions, TabOrderFollowsTheTemplateAndSkipsHiddenBoxes) {
    Session s;
    std::vector<int> order;
    s.backend.KeyDown(VK_RETURN);
    for (int i = 0; i < 45; ++i) {
        s.backend.Run([&] {
            HWND d = Dialog();
            order.push_back(d->children[static_cast<std::size_t>(d->focus)]->id);
        });
        s.backend.KeyDown(VK_TAB);
    }
    s.Run();
    ASSERT_EQ(order.size(), 45u);
    EXPECT_EQ(order[0], 1003);
    EXPECT_EQ(order[38], 1041);
    EXPECT_EQ(order[39], IDC_CLEAR_ALL);
    EXPECT_EQ(order[40], 1042);
    EXPECT_EQ(order[43], 1045);
    EXPECT_EQ(order[44], 1003); // 1046-1048 are hidden: back to the first box
}

} // namespace
