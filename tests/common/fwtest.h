#pragma once
// Shared test helpers: message boxes and program exits are recorded, never shown.
#include <windows.h>
#include <string>
#include <vector>

namespace fwtest {

struct MsgRecord
{
    std::wstring text;
    std::wstring caption;
    unsigned int type;
};

// While alive, every message box of the libraries is recorded and answered with `answer`.
// A recorder is installed for the whole test run; this one starts an empty record.
class MsgRecorder
{
public:
    explicit MsgRecorder(int answer = IDOK);
    ~MsgRecorder();
    const std::vector<MsgRecord>& Boxes() const;
    size_t Count() const { return Boxes().size(); }
    std::wstring LastText() const { return Boxes().empty() ? std::wstring() : Boxes().back().text; }
    void Clear();
    void SetAnswer(int answer);

private:
    int m_previousAnswer;
};

// Exit codes passed to KV::ExitProgram since the last reset (the process stays alive in tests).
std::vector<unsigned int>& ExitCalls();

// A new empty folder under the test HOME (removed at the end of the run).
std::wstring MakeTempDir(const wchar_t* hint = L"t");
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
// Hex text of bytes, "03 00 61 00" style, for readable comparisons.
std::string Hex(const std::string& bytes);

// A new program folder with the program, its libraries and its data folders, as the setup
// leaves it; settings, when given, become its "fingerwaltz.ini".
std::wstring MakeProgramFolder(const char* settings = nullptr);

// Source and binary folders of the build, as Windows paths.
std::wstring SourceDir();
std::wstring BinDir();

} // namespace fwtest
