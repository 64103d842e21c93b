#pragma once
// Writes a file so that the previous version survives any failure: the data goes to
// path + ".tmp", and only a complete, flushed temporary replaces the target.
#include "kvstruct/kvstruct_api.h"

#include <fstream>
#include <string>
#include <vector>

namespace KV {

class KVSTRUCT_API CSafeOutFile
{
public:
    CSafeOutFile();
    // Drops an uncommitted temporary file.
    ~CSafeOutFile();
    CSafeOutFile(const CSafeOutFile&) = delete;
    CSafeOutFile& operator=(const CSafeOutFile&) = delete;

    // Opens a binary stream on path + ".tmp" (truncated). False when it cannot be created.
    // bufferBytes above 0 gives the stream a buffer of that size (large files write faster).
    bool Open(const wchar_t* path, size_t bufferBytes = 0);
    bool IsOpen() const;
    std::ofstream& Stream() { return m_stream; }
    // Flushes and closes the stream and puts the temporary in place of the target.
    // On any failure the target keeps its old content, the temporary is removed and
    // false is returned (GetLastError() then tells why, when the system knows).
    bool Commit();
    // Closes and removes the temporary without touching the target.
    void Abandon();

    const std::wstring& GetPath() const { return m_path; }
    const std::wstring& GetTempPath() const { return m_temp; }

private:
    std::wstring m_path;
    std::wstring m_temp;
    std::ofstream m_stream;
    std::vector<char> m_buffer;
    bool m_open;
};

} // namespace KV
