#pragma once
// Dialog templates as data: what a dialog resource holds, with positions in dialog units.

#include "platform/windowing/messages.h"

#include <string>
#include <vector>

namespace windowing {

enum class ControlClass { Button, Static };

struct ControlTemplate {
    ControlClass cls = ControlClass::Button;
    int id = 0;
    std::string text; // UTF-8, the program's narrow encoding
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    int iconId = 0; // for SS_ICON statics
};

struct DialogTemplate {
    int id = 0;
    bool extended = false;
    int x = 0, y = 0, cx = 0, cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string caption;
    int pointSize = 0;
    std::string faceName;
    int weight = 0;
    bool italic = false;
    int charSet = 0;
    int language = 0;
    std::vector<ControlTemplate> controls;
};

// Dialog base units of a template's font in pixels (horizontal: average character width,
// vertical: cell height), and the conversion of a dialog-unit rectangle to pixels.
SIZE DialogBaseUnits(const DialogTemplate& t);
RECT MapDialogRect(SIZE units, int x, int y, int cx, int cy);

} // namespace windowing
