#include "fwtest.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/files/ShellFiles.h"
#include "kvtesting/ProgramFolder.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace fwtest {

namespace {
std::vector<MsgRecord> g_boxes;
int g_answer = IDOK;
std::vector<unsigned int> g_exits;
std::wstring g_tempRoot;
int g_tempCounter = 0;

int RecordBox(HWND, const wchar_t* text, const wchar_t* caption, unsigned int type)
{
    g_boxes.push_back({text ? text : L"", caption ? caption : L"", type});
    return g_answer;
}

void RecordExit(unsigned int code)
{
    g_exits.push_back(code);
}

std::wstring Widen(const char* s)
{
    std::wstring w;
    for (; *s; ++s)
        w += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return w;
}

// Turns a host path (/work/...) into one Wine can open (Z:\work\...).
std::wstring HostToWindows(const char* path)
{
    std::wstring w = Widen(path);
    if (!w.empty() && w[0] == L'/')
    {
        for (auto& c : w)
            if (c == L'/')
                c = L'\\';
        return L"Z:" + w;
    }
    return w;
}
} // namespace

MsgRecorder::MsgRecorder(int answer) : m_previousAnswer(g_answer)
{
    g_boxes.clear();
    g_answer = answer;
}

MsgRecorder::~MsgRecorder()
{
    g_answer = m_previousAnswer;
}

const std::vector<MsgRecord>& MsgRecorder::Boxes() const
{
    return g_boxes;
}
void MsgRecorder::Clear()
{
    g_boxes.clear();
}
void MsgRecorder::SetAnswer(int answer)
{
    g_answer = answer;
}

std::vector<unsigned int>& ExitCalls()
{
    return g_exits;
}

std::wstring MakeTempDir(const wchar_t* hint)
{
    if (g_tempRoot.empty())
    {
        wchar_t base[MAX_PATH];
        ::GetTempPathW(MAX_PATH, base);
        wchar_t name[64];
        swprintf(name, 64, L"fwtest-%lu-%lu", ::GetCurrentProcessId(), ::GetTickCount());
        g_tempRoot = std::wstring(base) + name;
        ::CreateDirectoryW(g_tempRoot.c_str(), nullptr);
    }
    wchar_t name[96];
    swprintf(name, 96, L"\\%ls%d", hint, ++g_tempCounter);
    std::wstring dir = g_tempRoot + name;
    ::CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

void RemoveTempRoot()
{
    if (g_tempRoot.empty())
        return;
    std::wstring from = g_tempRoot + L'\0';
    SHFILEOPSTRUCTW op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationW(&op);
}

std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

std::string Hex(const std::string& bytes)
{
    std::string s;
    char b[4];
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        snprintf(b, sizeof b, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i)
            s += ' ';
        s += b;
    }
    return s;
}

std::wstring SourceDir()
{
#ifdef FW_SOURCE_DIR
    return HostToWindows(FW_SOURCE_DIR);
#else
    return L".";
#endif
}

std::wstring BinDir()
{
#ifdef FW_BIN_DIR
    return HostToWindows(FW_BIN_DIR);
#else
    return L".";
#endif
}

std::wstring MakeProgramFolder(const char* settings)
{
    const std::wstring dir = MakeTempDir(L"prog");
    KV::CopyProgramFolder(BinDir(), dir, settings);
    return dir;
}

} // namespace fwtest

int main(int argc, char** argv)
{
    // No test may ever block on a box or end the process through the libraries.
    KV::SetMsgBoxHandler(fwtest::RecordBox);
    KV::SetExitHandler(fwtest::RecordExit);
    // The shell's own delete asks "Confirm file deletion" under Wine; tests use the silent one.
    KV::SetFileOperationHandler(KV::SilentFileOperation);
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    fwtest::RemoveTempRoot();
    return rc;
}
