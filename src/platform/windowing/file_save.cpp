// What saving a file does the same on every system; the systems' own steps are in
// file_save_posix.cpp and file_save_win32.cpp.

#include "platform/windowing/file_save.h"

#include <cstdint>

namespace windowing {

FileSave::FileSave(Method method, std::string target, std::string temp, Handle file)
    : method_(method), target_(std::move(target)), temp_(std::move(temp)), file_(file) {}

FileSave::~FileSave() {
    Discard();
}

void FileSave::Append(const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
}

bool FileSave::Commit() {
    if (file_ == kNoFile) {
        return false;
    }
    return method_ == Method::ReplaceByRename ? CommitByRename() : CommitInPlace();
}

} // namespace windowing
