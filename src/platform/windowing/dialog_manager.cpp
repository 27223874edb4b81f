#include "platform/windowing/window_manager.h"

// The dialog manager: the focus among a dialog's controls, clicks on them, and the keyboard
// interface of dialogs (Tab, arrows, Enter, Escape, the spacebar on a button).

namespace windowing {

void FocusControl(Window* control) {
    if (!control || !control->parent) {
        return;
    }
    Window* dialog = control->parent;
    const int index = dialog->ChildIndex(control);
    if (index < 0 || index == dialog->focus) {
        return;
    }
    dialog->focus = index;
    if (Backend* b = CurrentBackend()) {
        b->FocusChanged(dialog);
    }
}

namespace {

bool IsPushButton(const Window* c) {
    const DWORD type = c->style & BS_TYPEMASK;
    return c->controlClass == ControlClass::Button &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

bool IsAutoCheckBox(const Window* c) {
    return c->controlClass == ControlClass::Button && (c->style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

bool CanFocus(const Window* c) {
    return c->Visible() && c->enabled && c->controlClass == ControlClass::Button;
}

void Click(Window* control) {
    Window* dialog = control->parent;
    if (IsAutoCheckBox(control)) {
        control->check = control->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        Notify(control);
    }
    SendMessageTo(dialog, WM_COMMAND, MAKEWPARAM(control->id, BN_CLICKED), 0);
}

// Moves the focus to the next (or previous) control that can take it; with tabStopsOnly, only
// controls with WS_TABSTOP count.
void MoveFocus(Window* dialog, int direction, bool tabStopsOnly) {
    const int n = static_cast<int>(dialog->children.size());
    if (n == 0) {
        return;
    }
    int i = dialog->focus < 0 ? (direction > 0 ? -1 : n) : dialog->focus;
    for (int step = 0; step < n; ++step) {
        i = (i + direction + n) % n;
        Window* c = dialog->children[static_cast<std::size_t>(i)].get();
        if (CanFocus(c) && (!tabStopsOnly || (c->style & WS_TABSTOP))) {
            FocusControl(c);
            return;
        }
    }
}

Window* Focused(Window* dialog) {
    if (dialog->focus < 0 || dialog->focus >= static_cast<int>(dialog->children.size())) {
        return nullptr;
    }
    Window* c = dialog->children[static_cast<std::size_t>(dialog->focus)].get();
    return CanFocus(c) ? c : nullptr;
}

} // namespace

void ControlClicked(Window* control) {
    if (!control || !control->parent || !CanFocus(control) || !control->parent->enabled) {
        return;
    }
    FocusControl(control);
    Click(control);
}

BOOL IsDialogMessage(Window* dialog, MSG* msg) {
    if (!dialog || !msg) {
        return FALSE;
    }
    if (msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSKEYUP) {
        return FALSE; // system keys go to the default window procedure
    }
    if (msg->message != WM_KEYDOWN) {
        return IsKeyboardMessage(msg->message);
    }
    Backend* b = CurrentBackend();
    const bool shift = b && b->IsKeyDown(VK_SHIFT);
    switch (msg->wParam) {
    case VK_TAB:
        MoveFocus(dialog, shift ? -1 : 1, true);
        break;
    case VK_LEFT:
    case VK_UP:
        MoveFocus(dialog, -1, false);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        MoveFocus(dialog, 1, false);
        break;
    case VK_SPACE:
        if (Window* c = Focused(dialog)) {
            Click(c);
        }
        break;
    case VK_RETURN:
        if (Window* c = Focused(dialog); c && IsPushButton(c)) {
            Click(c);
        } else {
            SendMessageTo(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
        }
        break;
    case VK_ESCAPE:
        SendMessageTo(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        break;
    default:
        break;
    }
    return TRUE;
}

} // namespace windowing
