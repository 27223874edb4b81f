#include "platform/qt/key_map.h"

#include <gtest/gtest.h>

using qtbackend::KeyFacts;
using qtbackend::TranslateKey;
using qtbackend::VirtualKey;

namespace {

// XKB keycodes of the keys these tests press.
constexpr std::uint32_t kRow1 = 10, kRow6 = 15, kRow9 = 18, kRow0 = 19, kRowMinus = 20,
                        kRowEqual = 21, kKeyQ = 24, kKeyA = 38, kKeyH = 43, kBracketRight = 35,
                        kSlash = 61, kKpMultiply = 63, kKp9 = 81, kKp0 = 90, kKpDecimal = 91,
                        kKpDivide = 106, kKpAdd = 86, kKpSubtract = 82, kF10 = 76;

// A key as X11 reports it: the key Qt names with the modifiers held, the keycode, and the key
// the layout puts there without modifiers.
UINT Vk(int key, std::uint32_t keycode, int baseKey, Qt::KeyboardModifiers mods = {}) {
    return VirtualKey(KeyFacts{key, mods, keycode, baseKey});
}

TEST(QtKeyMap, KeypadAndMainKeyboardHaveTheirOwnCodes) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        UINT vk;
    } cases[] = {
        {Qt::Key_5, Qt::NoModifier, 0x35u},
        {Qt::Key_5, Qt::KeypadModifier, 0x65u},
        {Qt::Key_0, Qt::KeypadModifier, VK_NUMPAD0},
        {Qt::Key_9, Qt::KeypadModifier, VK_NUMPAD9},
        {Qt::Key_Plus, Qt::KeypadModifier, VK_ADD},
        {Qt::Key_Minus, Qt::KeypadModifier, VK_SUBTRACT},
        {Qt::Key_Plus, Qt::ShiftModifier, VK_OEM_PLUS},
        {Qt::Key_Equal, Qt::NoModifier, VK_OEM_PLUS},
        {Qt::Key_Minus, Qt::NoModifier, VK_OEM_MINUS},
        {Qt::Key_Underscore, Qt::ShiftModifier, VK_OEM_MINUS},
        // The keypad's Enter and navigation keys (Num Lock off) are the main keys' codes.
        {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN},
        {Qt::Key_PageUp, Qt::KeypadModifier, VK_PRIOR},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VirtualKey(c.key, c.modifiers), c.vk) << std::hex << c.key;
    }
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

TEST(QtKeyMap, TheDigitRowSelectsByPositionOnEveryLayout) {
    // US: the digits, also shifted.
    EXPECT_EQ(Vk(Qt::Key_1, kRow1, Qt::Key_1), '1');
    EXPECT_EQ(Vk(Qt::Key_0, kRow0, Qt::Key_0), '0');
    EXPECT_EQ(Vk(Qt::Key_ParenLeft, kRow9, Qt::Key_9, Qt::ShiftModifier), '9');
    // French AZERTY: unshifted & ... ç à, shifted the digits.
    EXPECT_EQ(Vk(Qt::Key_Ampersand, kRow1, Qt::Key_Ampersand), '1');
    EXPECT_EQ(Vk(Qt::Key_Ccedilla, kRow9, Qt::Key_Ccedilla), '9');
    EXPECT_EQ(Vk(Qt::Key_Agrave, kRow0, Qt::Key_Agrave), '0');
    EXPECT_EQ(Vk(Qt::Key_0, kRow0, Qt::Key_Agrave, Qt::ShiftModifier), '0');
    // The French 6 key types "-": it is still the 6 key, not the -/_ key.
    EXPECT_EQ(Vk(Qt::Key_Minus, kRow6, Qt::Key_Minus), '6');
}

TEST(QtKeyMap, TheKeypadKeepsItsCodesWhateverNumLockAndTheLayoutSay) {
    // Num Lock on: digits; off: the navigation keys and Delete. Either way the keypad's codes.
    EXPECT_EQ(Vk(Qt::Key_0, kKp0, Qt::Key_0, Qt::KeypadModifier), VK_NUMPAD0);
    EXPECT_EQ(Vk(Qt::Key_Insert, kKp0, Qt::Key_Insert, Qt::KeypadModifier), VK_NUMPAD0);
    EXPECT_EQ(Vk(Qt::Key_9, kKp9, Qt::Key_9, Qt::KeypadModifier), VK_NUMPAD9);
    EXPECT_EQ(Vk(Qt::Key_PageUp, kKp9, Qt::Key_PageUp, Qt::KeypadModifier), VK_NUMPAD9);
    EXPECT_EQ(Vk(Qt::Key_Period, kKpDecimal, Qt::Key_Period, Qt::KeypadModifier), VK_DECIMAL);
    EXPECT_EQ(Vk(Qt::Key_Delete, kKpDecimal, Qt::Key_Delete, Qt::KeypadModifier), VK_DECIMAL);
    EXPECT_EQ(Vk(Qt::Key_Comma, kKpDecimal, Qt::Key_Comma, Qt::KeypadModifier), VK_DECIMAL);
    // * / + - type the same with Num Lock on and off; * is not the 8 key.
    for (const Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(Qt::KeypadModifier), Qt::KeypadModifier | Qt::ShiftModifier}) {
        EXPECT_EQ(Vk(Qt::Key_Asterisk, kKpMultiply, Qt::Key_Asterisk, mods), VK_MULTIPLY);
        EXPECT_EQ(Vk(Qt::Key_Slash, kKpDivide, Qt::Key_Slash, mods), VK_DIVIDE);
        EXPECT_EQ(Vk(Qt::Key_Plus, kKpAdd, Qt::Key_Plus, mods), VK_ADD);
        EXPECT_EQ(Vk(Qt::Key_Minus, kKpSubtract, Qt::Key_Minus, mods), VK_SUBTRACT);
    }
    // Without a keycode, the keypad modifier tells them apart.
    EXPECT_EQ(VirtualKey(Qt::Key_Asterisk, Qt::KeypadModifier), VK_MULTIPLY);
    EXPECT_EQ(VirtualKey(Qt::Key_Slash, Qt::KeypadModifier), VK_DIVIDE);
    EXPECT_EQ(VirtualKey(Qt::Key_Period, Qt::KeypadModifier), VK_DECIMAL);
}

TEST(QtKeyMap, PlusAndMinusComeFromTheKeysThatCarryThemOnTheLayout) {
    // US: =/+ and -/_ right of the digit row.
    EXPECT_EQ(Vk(Qt::Key_Equal, kRowEqual, Qt::Key_Equal), VK_OEM_PLUS);
    EXPECT_EQ(Vk(Qt::Key_Plus, kRowEqual, Qt::Key_Equal, Qt::ShiftModifier), VK_OEM_PLUS);
    EXPECT_EQ(Vk(Qt::Key_Minus, kRowMinus, Qt::Key_Minus), VK_OEM_MINUS);
    EXPECT_EQ(Vk(Qt::Key_Underscore, kRowMinus, Qt::Key_Minus, Qt::ShiftModifier), VK_OEM_MINUS);
    // German: + and * where US has ], - and _ where US has /. Shifted, + types *, which must
    // not be taken for the US 8 key.
    EXPECT_EQ(Vk(Qt::Key_Plus, kBracketRight, Qt::Key_Plus), VK_OEM_PLUS);
    EXPECT_EQ(Vk(Qt::Key_Asterisk, kBracketRight, Qt::Key_Plus, Qt::ShiftModifier), VK_OEM_PLUS);
    EXPECT_EQ(Vk(Qt::Key_Minus, kSlash, Qt::Key_Minus), VK_OEM_MINUS);
    // French: = and + right of the digit row; ) and ° before it are not the 0 key.
    EXPECT_EQ(Vk(Qt::Key_Equal, kRowEqual, Qt::Key_Equal), VK_OEM_PLUS);
    EXPECT_NE(Vk(Qt::Key_ParenRight, kRowMinus, Qt::Key_ParenRight), UINT('0'));
    EXPECT_NE(Vk(Qt::Key_degree, kRowMinus, Qt::Key_ParenRight, Qt::ShiftModifier), UINT('0'));
}

TEST(QtKeyMap, LettersFollowTheLayoutsCharacter) {
    // AZERTY swaps A and Q; H stays.
    EXPECT_EQ(Vk(Qt::Key_A, kKeyQ, Qt::Key_A), 'A');
    EXPECT_EQ(Vk(Qt::Key_Q, kKeyA, Qt::Key_Q), 'Q');
    EXPECT_EQ(Vk(Qt::Key_H, kKeyH, Qt::Key_H, Qt::ShiftModifier), 'H');
    // AltGr characters keep the key's letter.
    EXPECT_EQ(Vk(Qt::Key_At, kKeyQ, Qt::Key_Q, Qt::GroupSwitchModifier), 'Q');
    // A layout of another script names its letter keys by their place, as the platform does.
    constexpr int kCyrillicEr = 0x0420; // Qt names letters of other scripts by their capital
    EXPECT_EQ(Vk(kCyrillicEr, kKeyH, kCyrillicEr), 'H');
}

TEST(QtKeyMap, AltCombinationsAndF10AreSystemKeys) {
    EXPECT_EQ(TranslateKey(Qt::Key_Left, {}, true, false).message, WM_KEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_Left, {}, false, false).message, WM_KEYUP);
    EXPECT_EQ(TranslateKey(Qt::Key_F10, {}, true, false).message, WM_SYSKEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_Alt, Qt::AltModifier, true, false).message, WM_SYSKEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_F4, Qt::AltModifier, true, false).message, WM_SYSKEYDOWN);
    EXPECT_EQ(TranslateKey(Qt::Key_F4, Qt::AltModifier, false, false).message, WM_SYSKEYUP);
    // Also when the platform reports the physical key.
    EXPECT_EQ(TranslateKey(KeyFacts{Qt::Key_F10, {}, kF10, Qt::Key_F10}, true, false).message,
              WM_SYSKEYDOWN);
    const auto altDigit = TranslateKey(
        KeyFacts{Qt::Key_Ampersand, Qt::AltModifier, kRow1, Qt::Key_Ampersand}, true, false);
    EXPECT_EQ(altDigit.message, WM_SYSKEYDOWN);
    EXPECT_EQ(altDigit.vk, UINT('1'));
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
