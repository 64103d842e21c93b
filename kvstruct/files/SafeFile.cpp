#include "kvstruct/files/SafeFile.h"
#include "kvstruct/sys/Handles.h"

#include <windows.h>

namespace KV {

CSafeOutFile::CSafeOutFile() : m_open(false) {}

CSafeOutFile::~CSafeOutFile()
{
    Abandon();
}

bool CSafeOutFile::Open(const wchar_t* path, size_t bufferBytes)
{
    Abandon();
    if (!path || !path[0])
        return false;
    m_path = path;
    m_temp = m_path + L".tmp";
    m_stream.clear();
    // The buffer is taken only before the file is opened.
    if (bufferBytes > m_buffer.size())
    {
        m_buffer.resize(bufferBytes);
        m_stream.rdbuf()->pubsetbuf(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    }
    m_stream.open(m_temp.c_str(), std::ios::binary | std::ios::out | std::ios::trunc);
    m_open = m_stream.is_open();
    if (!m_open)
    {
        m_stream.clear();
        m_path.clear();
        m_temp.clear();
    }
    return m_open;
}

bool CSafeOutFile::IsOpen() const
{
    return m_open;
}

bool CSafeOutFile::Commit()
{
    if (!m_open)
        return false;
    m_stream.flush();
    bool ok = m_stream.good();
    m_stream.close();
    ok = ok && !m_stream.fail();
    m_open = false;
    if (ok)
    {
        // The stream's flush leaves the data with the system; make it reach the disk before the
        // rename, so a power cut cannot leave a renamed but empty file.
        CFileHandle h(::CreateFileW(m_temp.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (h.IsValid())
            ::FlushFileBuffers(h);
        h.Reset();
        ok = ::MoveFileExW(m_temp.c_str(), m_path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    if (!ok)
    {
        DWORD error = ::GetLastError();
        ::DeleteFileW(m_temp.c_str());
        ::SetLastError(error);
    }
    m_path.clear();
    m_temp.clear();
    return ok;
}

void CSafeOutFile::Abandon()
{
    if (m_stream.is_open())
        m_stream.close();
    m_stream.clear();
    if (m_open && !m_temp.empty())
        ::DeleteFileW(m_temp.c_str());
    m_open = false;
    m_path.clear();
    m_temp.clear();
}

} // namespace KV
