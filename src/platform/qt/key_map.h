#pragma once
// Qt key events as the window system's keyboard messages: virtual-key codes that name the key
// (not the character it types), the keypad apart from the main keyboard, and the system-key
// messages for Alt combinations and F10.

#include "platform/windowing/messages.h"

#include <Qt>

namespace qtbackend {

// The virtual-key code of a Qt key; keypad keys are told apart by Qt::KeypadModifier.
// Keys without a code of their own map to 0xFF, so they still arrive as some key.
UINT VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

struct KeyMessage {
    UINT message = 0; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    UINT vk = 0;
    LPARAM lParam = 0;
};

KeyMessage TranslateKey(int qtKey, Qt::KeyboardModifiers modifiers, bool press, bool autoRepeat);

} // namespace qtbackend
