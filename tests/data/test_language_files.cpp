#include "kvstruct/files/IniTable.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const wchar_t* kLanguages[] = {L"English", L"German", L"Russian"};

std::vector<std::wstring> MasterKeys()
{
    std::ifstream in((fwtest::SourceDir() + L"\\tools\\language\\keys.txt").c_str());
    std::vector<std::wstring> keys;
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        keys.push_back(std::wstring(line.begin(), line.end()));
    }
    return keys;
}

// The raw lines of a UTF-16 little-endian file.
std::vector<std::wstring> RawLines(const std::wstring& path)
{
    std::string bytes = fwtest::ReadFileBytes(path);
    std::wstring text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find(L"\r\n", start)) != std::wstring::npos; start = pos + 2)
        lines.push_back(text.substr(start, pos - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::wstring LanguageFile(const wchar_t* name)
{
    return fwtest::BinDir() + L"\\Language\\" + name + L".ini";
}

} // namespace

TEST(LanguageFiles, MasterListIsNotEmpty)
{
    EXPECT_GT(MasterKeys().size(), 150u);
}

TEST(LanguageFiles, EveryLanguageHasEveryKey)
{
    std::vector<std::wstring> keys = MasterKeys();
    for (const wchar_t* lang : kLanguages)
    {
        KV::CIniTable table;
        ASSERT_EQ(table.Load_UTF16(LanguageFile(lang).c_str()), 1) << lang;
        for (const std::wstring& key : keys)
        {
            EXPECT_EQ(table.IsKey(key.c_str()), 1) << "missing " << std::string(key.begin(), key.end());
            EXPECT_NE(table.GetW(key.c_str())[0], 0) << "empty text";
        }
    }
}

// Written as "key = value" lines, CR LF, no key twice, and the loader reads back exactly the
// written pairs (spaces inside keys are dropped by the loader, as it does for every key line).
TEST(LanguageFiles, LoaderReadsBackTheWrittenPairs)
{
    for (const wchar_t* lang : kLanguages)
    {
        std::vector<std::wstring> lines = RawLines(LanguageFile(lang));
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], L"\xFEFF[Fingerwaltz]") << "first line is a section nothing looks up";
        KV::CIniTable table;
        ASSERT_EQ(table.Load_UTF16(LanguageFile(lang).c_str()), 1);
        std::set<std::wstring> seen;
        for (size_t i = 1; i < lines.size(); ++i)
        {
            const std::wstring& line = lines[i];
            if (line.empty())
                continue;
            if (line[0] == L'[')
            {
                EXPECT_EQ(std::wstring(table.GetW(line.c_str())), L"H");
                continue;
            }
            size_t eq = line.find(L" = ");
            ASSERT_NE(eq, std::wstring::npos) << "line " << i;
            std::wstring key = line.substr(0, eq);
            std::wstring value = line.substr(eq + 3);
            std::wstring loadedKey;
            for (wchar_t c : key)
                if (c != L' ')
                    loadedKey += c;
            EXPECT_TRUE(seen.insert(loadedKey).second) << "key twice";
            EXPECT_EQ(value.find(L'='), std::wstring::npos);
            EXPECT_EQ(value.find(L'['), std::wstring::npos);
            EXPECT_EQ(std::wstring(table.GetW(loadedKey.c_str())), value);
        }
        EXPECT_EQ(seen.size(), MasterKeys().size()) << "every line is a master key";
    }
}

TEST(LanguageFiles, AllLangNamesNamesEveryLanguage)
{
    KV::CIniTable names;
    ASSERT_EQ(names.Load_UTF16(LanguageFile(L"All_Lang_Names").c_str()), 1);
    for (const wchar_t* lang : kLanguages)
        EXPECT_NE(names.GetW(lang)[0], 0);
    EXPECT_STREQ(names.GetW(L"German"), L"Deutsch");
}
