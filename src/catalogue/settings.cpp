// The settings file config.set beside the executable (or in the user's settings folder when the
// executable's folder takes no files): the current position and the enabled set, written at
// shut-down and read at start-up.

#include "app/lumivex_dlg.h"
#include "platform/windowing/archive.h"
#include "platform/windowing/settings_location.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

// The settings file for a load or a save (see settings_location.h); empty when the executable's
// path is unknown or does not fit, so that no file is written to a wrong place.
std::string SettingsPath(bool save) {
    std::array<char, 4096> module{};
    const DWORD n = GetModuleFileNameA(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (n == 0 || n >= module.size() - 1) {
        return {};
    }
    const std::string path(module.data(), n);
    return save ? windowing::SettingsFileToWrite(path, "config.set")
                : windowing::SettingsFileToRead(path, "config.set");
}

} // namespace

int CLumivexDlg::LoadSaveSettings(int save) {
    const std::string path = SettingsPath(save != 0);
    if (path.empty()) {
        return 1;
    }
    CFile file;
    CFileException error;
    const UINT flags = save ? (CFile::modeCreate | CFile::modeWrite) : CFile::modeRead;
    if (!file.Open(path.c_str(), flags, &error)) {
        return 1;
    }
    CArchive ar(&file, save ? CArchive::store : CArchive::load, 4096);
    Serialize(ar);
    try {
        ar.Flush();
        ar.Close();
        file.Close();
    } catch (const CFileException&) {
        // A save that cannot be completed leaves the previous file as it was.
        ar.Abort();
        file.Abort();
    }
    return 1;
}

void CLumivexDlg::Serialize(CArchive& ar) {
    try {
        if (ar.IsStoring()) {
            ar << static_cast<BYTE>(m_position);
            std::string selection;
            for (int bit = kPatternCount - 1; bit >= 0; --bit) {
                selection.push_back(m_enabledSet.test(static_cast<std::size_t>(bit)) ? '1' : '0');
            }
            ar.WriteString(selection);
        } else {
            BYTE position = 0;
            ar >> position;
            m_position = position;
            const std::string selection = ar.ReadString();
            const std::size_t m = std::min<std::size_t>(selection.size(), kPatternCount);
            for (std::size_t i = 0; i < m; ++i) {
                m_enabledSet.set(i, selection[m - 1 - i] == '1');
            }
        }
    } catch (const CArchiveException&) {
        // A short or damaged file: what was read before the failure stays applied.
    } catch (const CFileException&) {
        // Writing failed (a full disk): the save is abandoned when the file is closed.
    }
}
