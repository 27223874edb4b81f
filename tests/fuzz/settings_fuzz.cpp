// Fuzzes the settings loader: any bytes in config.set must load without a crash, a hang or a
// large allocation, and leave a usable state behind.
//
//   build-fuzz/lumivex_settings_fuzz [-max_total_time=60] CORPUS_DIR...

#include "app/lumivex_dlg.h"
#include "platform/windowing/archive.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// One file, rewritten for every input: the loader reads a real file, as the program does.
const std::string& InputPath() {
    static const std::string path = [] {
        char name[] = "/tmp/lumivex-settings-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0) {
            std::perror("mkstemp");
            std::abort();
        }
        close(fd);
        return std::string(name);
    }();
    return path;
}

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "settings fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = InputPath();
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        Check(f != nullptr, "cannot write the input file");
        Check(std::fwrite(data, 1, size, f) == size, "cannot write the input");
        std::fclose(f);
    }
    CLumivexDlg dlg;
    CFile file;
    Check(file.Open(path.c_str(), CFile::modeRead) != FALSE, "cannot open the input file");
    {
        CArchive ar(&file, CArchive::load, 4096);
        dlg.Serialize(ar);
        ar.Close();
    }
    file.Close();

    // A well-formed file (the position, the length 43, then 43 characters 0 or 1) is written
    // back byte for byte.
    bool wellFormed = size == 2 + kPatternCount && data[1] == kPatternCount;
    for (std::size_t i = 2; wellFormed && i < size; ++i) {
        wellFormed = data[i] == '0' || data[i] == '1';
    }
    if (wellFormed) {
        const std::string out = path + ".out";
        {
            CFile written;
            Check(written.Open(out.c_str(), CFile::modeCreate | CFile::modeWrite) != FALSE,
                  "cannot create the output file");
            CArchive ar(&written, CArchive::store, 4096);
            dlg.Serialize(ar);
            ar.Close();
            written.Close();
        }
        std::FILE* f = std::fopen(out.c_str(), "rb");
        Check(f != nullptr, "cannot read the output file");
        std::uint8_t back[2 * (2 + kPatternCount)];
        const std::size_t n = std::fread(back, 1, sizeof back, f);
        std::fclose(f);
        std::remove(out.c_str());
        Check(n == size && std::equal(data, data + size, back), "a well-formed file changed");
    }

    // Whatever was read, the playlist built from it is usable.
    dlg.BuildPlaylist();
    const std::vector<std::int32_t>& playlist = dlg.PlaylistForTest();
    Check(!playlist.empty(), "empty playlist");
    for (std::int32_t id : playlist) {
        Check(id >= 0 && id < kPatternCount, "playlist entry out of range");
    }
    return 0;
}
