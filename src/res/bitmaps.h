#pragma once
// The program's bitmap resources, in their stored form: packed device-independent bitmaps
// without file header. Each is generated on first use, once per process, and kept.
//
//   129, 130, 133   TG18-AD, TG18-QC, TG18-AFC, 1024 x 1024, 8-bit gray
//   135, 136, 137   TG18-QC, TG18-AD, TG18-AFC, 2048 x 2560, 8-bit gray
//   147 .. 154      start screen pictures, 24-bit

#include <cstdint>
#include <string>
#include <vector>

namespace res {

// The stored bytes of a bitmap resource, or nullptr for an id the program does not have.
// Safe to call from any thread.
const std::vector<std::uint8_t>* FindBitmapResource(int id);

struct BitmapResourceName {
    int id;
    const char* name; // a file name stem, e.g. "129-tg18-ad-1024"
};
const std::vector<BitmapResourceName>& BitmapResourceNames();

// Writes every bitmap resource into dir (created if missing) as a .bmp file named after its
// stem. On failure returns false and, when error is given, says which file and why.
bool ExportBitmaps(const std::string& dir, std::string* error);

} // namespace res
