#pragma once
// Files and the framework's buffered archive: bytes and length-prefixed narrow strings.

#include "platform/base/types.h"

#include <cstdio>
#include <string>
#include <vector>

class CFileException {
  public:
    int m_cause = 0;
};

class CArchiveException {
  public:
    enum Cause { none = 0, generic = 1, badIndex = 3, endOfFile = 8, writeFailed = 9 };
    explicit CArchiveException(int cause = generic) : m_cause(cause) {}
    int m_cause;
};

class CFile {
  public:
    static constexpr UINT modeRead = 0x0000;
    static constexpr UINT modeWrite = 0x0001;
    static constexpr UINT modeCreate = 0x1000;

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile();

    // Opening for writing creates the file under a temporary name; Close puts it in place in
    // one step, so a failed or interrupted save never leaves a partial file behind.
    BOOL Open(const char* path, UINT flags, CFileException* error = nullptr);
    // Reads up to count bytes; returns how many were read.
    UINT Read(void* buffer, UINT count);
    // Writes all bytes or throws CFileException.
    void Write(const void* buffer, UINT count);
    // Closes the file; for a written file, commits it. Throws CFileException on failure.
    void Close();
    // Closes without committing and without throwing.
    void Abort();

  private:
    std::FILE* file_ = nullptr;
    std::string path_;
    std::string tempPath_;
    bool writing_ = false;
};

class CArchive {
  public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
    ~CArchive();

    bool IsStoring() const { return mode_ == store; }
    bool IsLoading() const { return mode_ == load; }

    CArchive& operator<<(BYTE b);
    CArchive& operator>>(BYTE& b);
    // A narrow string: its length (one byte below 0xFF, else the escaped longer forms), then
    // its characters without a terminator.
    void WriteString(const std::string& s);
    std::string ReadString();

    void Flush();
    void Close();
    // Drops the archive without writing what is buffered.
    void Abort();

  private:
    void Write(const void* data, std::size_t n);
    void Read(void* data, std::size_t n);
    std::uint32_t ReadCount();

    CFile* file_;
    Mode mode_;
    std::size_t bufferSize_;
    std::vector<BYTE> buffer_;
    std::size_t readPos_ = 0;
    bool eof_ = false;
};
