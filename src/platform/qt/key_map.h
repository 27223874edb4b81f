#pragma once
// Qt key events as the window system's keyboard messages: virtual-key codes that name the key
// (not the character it types), the keypad apart from the main keyboard, and the system-key
// messages for Alt combinations and F10.
//
// Where the platform reports the physical key (an XKB keycode on X11 and Wayland), the digit row
// and the keypad are known by position whatever the layout and Num Lock, as the platform's own
// layouts number them; the other keys by the character they type without modifiers in the
// current layout. Without a keycode (other platforms, synthesised events) the key Qt names is
// all there is, read with the US layout's shifted characters.

#include "platform/windowing/messages.h"

#include <Qt>

#include <cstdint>

namespace qtbackend {

// What the window system says about one key event.
struct KeyFacts {
    int key = 0; // Qt's key for the event: what it types with the modifiers held
    Qt::KeyboardModifiers modifiers;
    std::uint32_t keycode = 0; // the physical key as an XKB keycode; 0 when unknown
    int baseKey = 0; // Qt's key for the same key without modifiers, in the current layout; 0 when
                     // unknown
};

// The virtual-key code of a key. Keys without a code of their own map to 0xFF, so they still
// arrive as some key.
UINT VirtualKey(const KeyFacts& key);
// The same without a physical key: keypad keys are told apart by Qt::KeypadModifier.
UINT VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

struct KeyMessage {
    UINT message = 0; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    UINT vk = 0;
    LPARAM lParam = 0;
};

KeyMessage TranslateKey(const KeyFacts& key, bool press, bool autoRepeat);
KeyMessage TranslateKey(int qtKey, Qt::KeyboardModifiers modifiers, bool press, bool autoRepeat);

} // namespace qtbackend
