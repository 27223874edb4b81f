#include "support/session.h"

#include "platform/windowing/window_manager.h"

#include <gtest/gtest.h>

using testing_support::Session;

namespace {

TEST(WindowState, AModalDialogIsShownWhenItsLoopRunsEvenWithoutWsVisible) {
    Session s;
    s.backend.KeyDown(VK_RETURN);
    s.backend.Run([] {
        HWND dialog = windowing::ActiveModalWindow();
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->dialogTemplate->style & WS_VISIBLE, 0u);
        EXPECT_TRUE(dialog->Visible());
    });
    s.Run();
}

TEST(WindowState, TheWindowSystemMovesARestoredWindowButNotAMaximisedOne) {
    Session s;
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5); // restore
    CRect restored;
    s.backend.Run([&] {
        CLumivexDlg& main = Session::Main();
        ASSERT_FALSE(main.IsZoomed());
        main.GetWindowRect(&restored);
        windowing::ClientMoved(main.m_hWnd, 40, 30);
        CRect moved;
        main.GetWindowRect(&moved);
        EXPECT_EQ(moved, CRect(40, 30, 40 + restored.Width(), 30 + restored.Height()));
    });
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5); // maximise
    s.backend.Run([] {
        CLumivexDlg& main = Session::Main();
        ASSERT_TRUE(main.IsZoomed());
        windowing::ClientMoved(main.m_hWnd, 0, 0);
    });
    s.backend.Mouse(WM_LBUTTONDBLCLK, 5, 5); // restore again: where it was moved to
    s.backend.Run([&] {
        CRect again;
        Session::Main().GetWindowRect(&again);
        EXPECT_EQ(again, CRect(40, 30, 40 + restored.Width(), 30 + restored.Height()));
    });
    s.Run();
}

} // namespace
