#include "platform/win/wnd.h"

const win::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const win::MessageMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const win::MessageMap map{nullptr, entries};
    return &map;
}

const win::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const win::MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
    for (const win::MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (const win::MessageMapEntry* e = map->entries; e->message != 0; ++e) {
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
    const win::MessageMapEntry* e = FindEntry(WM_COMMAND, code, id);
    if (!e) {
        return FALSE;
    }
    e->handler(this, 0, 0);
    return TRUE;
}
