#include "app/lumivex_dlg.h"

void CLumivexDlg::BuildPlaylist() {
    m_playlist.clear();
    for (int id = 0; id < kPatternCount; ++id) {
        if (m_enabledSet.test(static_cast<std::size_t>(id))) {
            m_playlist.push_back(id);
        }
    }
    // An empty selection still shows something: the first pattern. The enabled set itself
    // stays empty, so the dialog and the settings file keep showing what the operator chose.
    if (m_playlist.empty()) {
        m_playlist.push_back(0);
    }
}
