#include "platform/qt/key_map.h"

#include <gtest/gtest.h>

using qtbackend::TranslateKey;
using qtbackend::VirtualKey;

namespace {

TEST(QtKeyMap, KeypadAndMainKeyboardHaveTheirOwnCodes) {
    EXPECT_EQ(VirtualKey(Qt::Key_5, Qt::NoModifier), 0x35u);
    EXPECT_EQ(VirtualKey(Qt::Key_5, Qt::KeypadModifier), 0x65u);
    EXPECT_EQ(VirtualKey(Qt::Key_0, Qt::KeypadModifier), VK_NUMPAD0);
    EXPECT_EQ(VirtualKey(Qt::Key_9, Qt::KeypadModifier), VK_NUMPAD9);
    EXPECT_EQ(VirtualKey(Qt::Key_Plus, Qt::KeypadModifier), VK_ADD);
    EXPECT_EQ(VirtualKey(Qt::Key_Minus, Qt::KeypadModifier), VK_SUBTRACT);
    EXPECT_EQ(VirtualKey(Qt::Key_Plus, Qt::ShiftModifier), VK_OEM_PLUS);
    EXPECT_EQ(VirtualKey(Qt::Key_Equal, Qt::NoModifier), VK_OEM_PLUS);
    EXPECT_EQ(VirtualKey(Qt::Key_Minus, Qt::NoModifier), VK_OEM_MINUS);
    EXPECT_EQ(VirtualKey(Qt::Key_Underscore, Qt::ShiftModifier), VK_OEM_MINUS);
    // The keypad's Enter and navigation keys (Num Lock off) are the main keys' codes.
    EXPECT_EQ(VirtualKey(Qt::Key_Enter, Qt::KeypadModifier), VK_RETURN);
    EXPECT_EQ(VirtualKey(Qt::Key_PageUp, Qt::KeypadModifier), VK_PRIOR);
}

TEST(QtKeyMap, KeysAreNamedByTheKeyNotByTheCharacterTheyType) {
    EXPECT_EQ(VirtualKey(Qt::Key_H, Qt::NoModifier), 0x48u);
    EXPECT_EQ(VirtualKey(Qt::Key_H, Qt::ShiftModifier), 0x48u);
    EXPECT_EQ(VirtualKey(Qt::Key_Exclam, Qt::ShiftModifier), 0x31u);
    EXPECT_EQ(VirtualKey(Qt::Key_ParenRight, Qt::ShiftModifier), 0x30u);
    EXPECT_EQ(VirtualKey(Qt::Key_Backtab, Qt::ShiftModifier), VK_TAB);
    EXPECT_EQ(VirtualKey(Qt::Key_Return, Qt::NoModifier), VK_RETURN);
    EXPECT_EQ(VirtualKey(Qt::Key_PageDown, Qt::NoModifier), VK_NEXT);
    EXPECT_EQ(VirtualKey(Qt::Key_Left, Qt::NoModifier), VK_LEFT);
    EXPECT_EQ(VirtualKey(Qt::Key_F1, Qt::NoModifier), VK_F1);
    EXPECT_EQ(VirtualKey(Qt::Key_F12, Qt::NoModifier), VK_F12);
    EXPECT_EQ(VirtualKey(Qt::Key_Shift, Qt::ShiftModifier), VK_SHIFT);
    EXPECT_EQ(VirtualKey(Qt::Key_Control, Qt::ControlModifier), VK_CONTROL);
    EXPECT_EQ(VirtualKey(Qt::Key_Alt, Qt::AltModifier), VK_MENU);
    // A key without a code of its own still arrives as a key.
    EXPECT_EQ(VirtualKey(Qt::Key_VolumeUp, Qt::NoModifier), 0xFFu);
}

TEST(QtKeyMap, AltCombinationsAndF10AreSystemKeys) {
    EXPECT_EQ(TranslateKey(Qt::Key_Left, {}, true, false).message, WM_KEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_Left, {}, false, false).message, WM_KEYUP);
    EXPECT_EQ(TranslateKey(Qt::Key_F10, {}, true, false).message, WM_SYSKEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_Alt, Qt::AltModifier, true, false).message, WM_SYSKEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_F4, Qt::AltModifier, true, false).message, WM_SYSKEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_F4, Qt::AltModifier, false, false).message, WM_SYSKEYUP);
    // Control with Alt types characters (AltGr): an ordinary key.
    EXPECT_EQ(TranslateKey(Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier, true, false).message,
              WM_KEYDOWN);
}

TEST(QtKeyMap, TheKeyDataCarriesRepeatCountAndPreviousState) {
    EXPECT_EQ(TranslateKey(Qt::Key_Left, {}, true, false).lParam, 0x00000001);
    EXPECT_EQ(TranslateKey(Qt::Key_Left, {}, true, true).lParam, 0x40000001);
    EXPECT_EQ(TranslateKey(Qt::Key_Left, {}, false, false).lParam, 0xC0000001);
    EXPECT_EQ(TranslateKey(Qt::Key_F4, Qt::AltModifier, true, false).lParam, 0x20000001);
}

} // namespace
