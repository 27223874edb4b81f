#pragma once
// Where the settings file config.set lives.
//
// A portable copy keeps it beside its executable: when that folder takes new files, or already
// holds config.set. Otherwise, and always for the copy installed in the bin folder it was built
// for, it is config.set in the user's configuration folder ($XDG_CONFIG_HOME/lumivex or
// ~/.config/lumivex; %APPDATA%\Lumivex on Windows), a folder made by the first save. So an
// installed program never writes into its own folder, not even when it runs as the administrator,
// whose file there would otherwise be read, and never replaced, by every other user.

#include <string>

struct SettingsLocation {
    std::string file;              // empty when there is nowhere to keep the settings
    bool folderMadeOnSave = false; // the per-user folder, made when the settings are saved
};

// executable: the program's own path; installedBinFolder: the folder the installation puts it
// in (empty for none).
SettingsLocation LocateSettings(const std::string& executable,
                                const std::string& installedBinFolder);

// The folder part of a settings file path.
std::string SettingsFolder(const std::string& file);
