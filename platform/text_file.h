// SPDX-License-Identifier: GPL-3.0-or-later
// The buffered text file reader the world data loaders use: line by line reads into a
// caller's buffer with the usual line-read rules.
//
// - Open reads only, and refuses a file another program holds locked for writing (a
//   shared advisory lock is held while the file is open, so a writer that asks for an
//   exclusive lock waits or is refused in turn). Directories are refused.
// - ReadString(buffer, size) reads at most size - 1 characters and stops after a line end,
//   which it keeps; a carriage return followed by a line feed is read as one "\n" (text
//   mode). A final line without a line end is read normally. Returns the buffer, or null
//   at the end of the file (or after a read error) with nothing read.
#pragma once

#include <cstdio>
#include <string>

class CStdioFile {
  public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        shareDenyWrite = 0x0020,
        typeText = 0x4000,
    };

    CStdioFile() = default;
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    ~CStdioFile();

    // Opens for reading (the only mode there is); true on success.
    bool Open(const char* path, unsigned flags);
    char* ReadString(char* buffer, unsigned size);
    // Size of the open file in bytes (0 when none is open).
    unsigned long long GetLength() const;
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

  private:
    FILE* m_file = nullptr;
};
