#include "platform/windowing/wnd.h"

const windowing::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const windowing::MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const windowing::MessageMap map{nullptr, entries};
    return &map;
}

const windowing::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const windowing::MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
    for (const windowing::MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (const windowing::MessageMapEntry* e = map->entries; e->message != 0; ++e) {
            if (e->message != message) {
                continue;
            }
            if (message == WM_COMMAND && (e->code != code || e->id != id)) {
                continue;
            }
            return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, UINT code) {
    const windowing::MessageMapEntry* e = FindEntry(WM_COMMAND, code, id);
    if (!e) {
        return FALSE;
    }
    e->handler(this, 0, 0);
    return TRUE;
}
