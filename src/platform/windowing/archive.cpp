#include "platform/windowing/archive.h"

#ifdef _WIN32
#include "platform/base/wide_string.h"
#endif

#include <algorithm>
#include <cstring>

namespace {

// Paths are UTF-8; Windows' narrow fopen would read them in the ANSI code page and miss a
// folder with a name outside it (a user name with accents, in %APPDATA%).
std::FILE* OpenToRead(const char* path) {
#ifdef _WIN32
    const std::optional<std::wstring> wide = base::WideFromUtf8(path);
    return wide && !wide->empty() ? _wfopen(wide->c_str(), L"rb") : nullptr;
#else
    return std::fopen(path, "rb");
#endif
}

} // namespace

CFile::~CFile() {
    Abort();
}

BOOL CFile::Open(const char* path, UINT flags, CFileException* error) {
    Abort();
    if (path) {
        if (flags & modeWrite) {
            writing_ = windowing::FileSave::Begin(path);
        } else {
            reading_ = OpenToRead(path);
        }
    }
    if (!reading_ && !writing_) {
        if (error) {
            error->m_cause = 1;
        }
        return FALSE;
    }
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count) {
    if (!reading_) {
        return 0;
    }
    return static_cast<UINT>(std::fread(buffer, 1, count, reading_));
}

void CFile::Write(const void* buffer, UINT count) {
    if (!writing_) {
        throw CFileException{};
    }
    writing_->Append(buffer, count);
}

void CFile::Close() {
    if (reading_) {
        std::fclose(reading_);
        reading_ = nullptr;
    }
    if (writing_) {
        const std::unique_ptr<windowing::FileSave> save = std::move(writing_);
        if (!save->Commit()) {
            throw CFileException{};
        }
    }
}

void CFile::Abort() {
    if (reading_) {
        std::fclose(reading_);
        reading_ = nullptr;
    }
    writing_.reset();
}

CArchive::CArchive(CFile* file, UINT mode, int bufferSize)
    : file_(file), mode_(mode == load ? load : store),
      bufferSize_(static_cast<std::size_t>(std::max(bufferSize, 16))) {
    buffer_.reserve(bufferSize_);
}

CArchive::~CArchive() = default;

CArchive& CArchive::operator<<(BYTE b) {
    Write(&b, 1);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& b) {
    Read(&b, 1);
    return *this;
}

void CArchive::WriteString(const std::string& s) {
    const std::size_t n = s.size();
    if (n < 0xFF) {
        *this << static_cast<BYTE>(n);
    } else if (n < 0xFFFF) {
        const BYTE prefix[3] = {0xFF, static_cast<BYTE>(n & 0xFF), static_cast<BYTE>(n >> 8)};
        Write(prefix, 3);
    } else {
        const BYTE prefix[7] = {0xFF,
                                0xFF,
                                0xFF,
                                static_cast<BYTE>(n & 0xFF),
                                static_cast<BYTE>((n >> 8) & 0xFF),
                                static_cast<BYTE>((n >> 16) & 0xFF),
                                static_cast<BYTE>((n >> 24) & 0xFF)};
        Write(prefix, 7);
    }
    Write(s.data(), n);
}

std::uint32_t CArchive::ReadCount() {
    BYTE b = 0;
    *this >> b;
    if (b < 0xFF) {
        return b;
    }
    BYTE w[2];
    Read(w, 2);
    const std::uint32_t word = static_cast<std::uint32_t>(w[0] | (w[1] << 8));
    if (word == 0xFFFE) {
        return 0xFFFFFFFE; // marker of a wide string: the caller reads the length again
    }
    if (word < 0xFFFF) {
        return word;
    }
    BYTE d[4];
    Read(d, 4);
    const std::uint32_t dword =
        static_cast<std::uint32_t>(d[0]) | (static_cast<std::uint32_t>(d[1]) << 8) |
        (static_cast<std::uint32_t>(d[2]) << 16) | (static_cast<std::uint32_t>(d[3]) << 24);
    if (dword == 0xFFFFFFFF) {
        throw CArchiveException(CArchiveException::generic); // 64-bit lengths are never ours
    }
    return dword;
}

std::string CArchive::ReadString() {
    std::uint32_t n = ReadCount();
    bool wide = false;
    if (n == 0xFFFFFFFE) {
        wide = true;
        n = ReadCount();
        if (n == 0xFFFFFFFE) {
            throw CArchiveException(CArchiveException::generic);
        }
    }
    // Read in bounded pieces, so a length prefix larger than the file allocates nothing big:
    // the read runs into the end of the file and throws first.
    std::string out;
    const std::size_t unit = wide ? 2 : 1;
    std::size_t remaining = static_cast<std::size_t>(n);
    BYTE chunk[512];
    while (remaining > 0) {
        const std::size_t chars = std::min<std::size_t>(remaining, sizeof(chunk) / unit);
        Read(chunk, chars * unit);
        for (std::size_t i = 0; i < chars; ++i) {
            if (wide) {
                const unsigned c = static_cast<unsigned>(chunk[2 * i] | (chunk[2 * i + 1] << 8));
                out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
            } else {
                out.push_back(static_cast<char>(chunk[i]));
            }
        }
        remaining -= chars;
    }
    return out;
}

void CArchive::Write(const void* data, std::size_t n) {
    const BYTE* p = static_cast<const BYTE*>(data);
    while (n > 0) {
        const std::size_t room = bufferSize_ - buffer_.size();
        const std::size_t take = std::min(room, n);
        buffer_.insert(buffer_.end(), p, p + take);
        p += take;
        n -= take;
        if (buffer_.size() == bufferSize_) {
            Flush();
        }
    }
}

void CArchive::Read(void* data, std::size_t n) {
    BYTE* p = static_cast<BYTE*>(data);
    while (n > 0) {
        if (readPos_ == buffer_.size()) {
            if (eof_) {
                throw CArchiveException(CArchiveException::endOfFile);
            }
            buffer_.resize(bufferSize_);
            const UINT got = file_->Read(buffer_.data(), static_cast<UINT>(bufferSize_));
            buffer_.resize(got);
            readPos_ = 0;
            if (got < bufferSize_) {
                eof_ = true;
            }
            if (got == 0) {
                throw CArchiveException(CArchiveException::endOfFile);
            }
        }
        const std::size_t take = std::min(n, buffer_.size() - readPos_);
        std::memcpy(p, buffer_.data() + readPos_, take);
        readPos_ += take;
        p += take;
        n -= take;
    }
}

void CArchive::Flush() {
    if (mode_ == store && !buffer_.empty()) {
        file_->Write(buffer_.data(), static_cast<UINT>(buffer_.size()));
        buffer_.clear();
    }
}

void CArchive::Close() {
    Flush();
    file_ = nullptr;
}

void CArchive::Abort() {
    buffer_.clear();
    file_ = nullptr;
}
