// Sections: keys by physical position (XKB keycodes); keys that type no character; keys by
// character; the translation.

#include "platform/qt/key_map.h"

#include <string_view>

namespace qtbackend {

namespace {

constexpr UINT kUnmappedKey = 0xFF;

// --- keys by physical position ----------------------------------------------------------------

// XKB keycodes (the Linux input codes plus 8) of the digit row: 1 ... 9, 0.
constexpr std::uint32_t kDigitRowFirst = 10;
constexpr std::uint32_t kDigitRowLast = 19;

// The keypad, whatever it types with the current layout and Num Lock.
UINT KeypadKeyAt(std::uint32_t keycode) {
    switch (keycode) {
    case 90:
        return VK_NUMPAD0;
    case 87:
        return VK_NUMPAD0 + 1;
    case 88:
        return VK_NUMPAD0 + 2;
    case 89:
        return VK_NUMPAD0 + 3;
    case 83:
        return VK_NUMPAD0 + 4;
    case 84:
        return VK_NUMPAD0 + 5;
    case 85:
        return VK_NUMPAD0 + 6;
    case 79:
        return VK_NUMPAD0 + 7;
    case 80:
        return VK_NUMPAD0 + 8;
    case 81:
        return VK_NUMPAD9;
    case 63:
        return VK_MULTIPLY;
    case 86:
        return VK_ADD;
    case 82:
        return VK_SUBTRACT;
    case 91:
        return VK_DECIMAL;
    case 106:
        return VK_DIVIDE;
    case 104:
        return VK_RETURN;
    default:
        return 0;
    }
}

UINT DigitRowKeyAt(std::uint32_t keycode) {
    if (keycode < kDigitRowFirst || keycode > kDigitRowLast) {
        return 0;
    }
    return keycode == kDigitRowLast ? '0' : '1' + (keycode - kDigitRowFirst);
}

// The letter keys by their place on a US keyboard: what the platform's layouts of other scripts
// (Cyrillic, Greek, ...) name them.
UINT LetterKeyAt(std::uint32_t keycode) {
    static constexpr char kRows[][11] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    static constexpr std::uint32_t kRowFirst[] = {24, 38, 52};
    for (std::size_t row = 0; row < 3; ++row) {
        const std::uint32_t first = kRowFirst[row];
        const std::size_t length = std::string_view(kRows[row]).size();
        if (keycode >= first && keycode < first + length) {
            return static_cast<UINT>(kRows[row][keycode - first] - 'a' + 'A');
        }
    }
    return 0;
}

// --- keys that type no character ----------------------------------------------------------------

UINT NamedKey(int qtKey) {
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        return VK_SNAPSHOT;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
        return VK_LWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    default:
        return 0;
    }
}

// --- keys by character ------------------------------------------------------------------------

UINT LetterOrDigitKey(int qtKey) {
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return static_cast<UINT>(qtKey);
    }
    return 0;
}

// The punctuation keys, named as on a US keyboard by either of their characters.
UINT PunctuationKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return VK_OEM_7;
    default:
        return 0;
    }
}

// With Shift held Qt reports "!" where the platform reports the 1 key: on a US keyboard the
// shifted characters of the digit row lead back to their keys.
UINT UsShiftedDigitKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    default:
        return 0;
    }
}

UINT KeypadKeyNamed(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return VK_NUMPAD0 + static_cast<UINT>(qtKey - Qt::Key_0);
    }
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return VK_MULTIPLY;
    case Qt::Key_Plus:
        return VK_ADD;
    case Qt::Key_Minus:
        return VK_SUBTRACT;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return VK_DECIMAL;
    case Qt::Key_Slash:
        return VK_DIVIDE;
    default:
        return 0; // the keypad's navigation keys and Enter share the main keys' codes
    }
}

// A key outside the digit row and the keypad, by what the layout puts on it.
UINT KeyOfLayout(const KeyFacts& k) {
    if (const UINT vk = NamedKey(k.key)) {
        return vk;
    }
    const int base = k.baseKey ? k.baseKey : k.key;
    if (const UINT vk = LetterOrDigitKey(base); vk >= 'A' && vk <= 'Z') {
        return vk;
    }
    // The keys that carry + or = and - on this layout are the platform's =/+ and -/_ keys,
    // wherever the layout puts them.
    for (const int c : {base, k.key}) {
        if (c == Qt::Key_Plus || c == Qt::Key_Equal) {
            return VK_OEM_PLUS;
        }
        if (c == Qt::Key_Minus) {
            return VK_OEM_MINUS;
        }
    }
    if (const UINT vk = LetterKeyAt(k.keycode);
        vk && LetterOrDigitKey(base) == 0 && PunctuationKey(base) == 0) {
        return vk;
    }
    if (const UINT vk = PunctuationKey(base)) {
        return vk;
    }
    return kUnmappedKey;
}

} // namespace

// --- the translation --------------------------------------------------------------------------

UINT VirtualKey(const KeyFacts& k) {
    if (k.keycode != 0) {
        if (const UINT vk = KeypadKeyAt(k.keycode)) {
            return vk;
        }
        if (const UINT vk = DigitRowKeyAt(k.keycode)) {
            return vk;
        }
        return KeyOfLayout(k);
    }
    if (k.modifiers & Qt::KeypadModifier) {
        if (const UINT vk = KeypadKeyNamed(k.key)) {
            return vk;
        }
    }
    for (const UINT vk : {NamedKey(k.key), LetterOrDigitKey(k.key), UsShiftedDigitKey(k.key),
                          PunctuationKey(k.key)}) {
        if (vk) {
            return vk;
        }
    }
    return kUnmappedKey;
}

UINT VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    return VirtualKey(KeyFacts{qtKey, modifiers, 0, 0});
}

KeyMessage TranslateKey(const KeyFacts& k, bool press, bool autoRepeat) {
    KeyMessage m;
    m.vk = VirtualKey(k);
    const bool alt = m.vk == VK_MENU || (k.modifiers & Qt::AltModifier);
    // Alt with Control is how the platform types AltGr characters: those stay ordinary keys.
    const bool system = m.vk == VK_F10 || (alt && !(k.modifiers & Qt::ControlModifier));
    if (press) {
        m.message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    } else {
        m.message = system ? WM_SYSKEYUP : WM_KEYUP;
    }
    // Repeat count 1; bit 29 says Alt is down, bit 30 that the key was down before (auto-repeat
    // and every release), bit 31 that it is being released.
    std::uint32_t bits = 1;
    if (alt) {
        bits |= 1u << 29;
    }
    if (autoRepeat || !press) {
        bits |= 1u << 30;
    }
    if (!press) {
        bits |= 1u << 31;
    }
    m.lParam = static_cast<LPARAM>(bits);
    return m;
}

KeyMessage TranslateKey(int qtKey, Qt::KeyboardModifiers modifiers, bool press, bool autoRepeat) {
    return TranslateKey(KeyFacts{qtKey, modifiers, 0, 0}, press, autoRepeat);
}

} // namespace qtbackend
