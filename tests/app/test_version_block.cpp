#include "FwVersion.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// The program's version block carries the project version, as text and as numbers.
TEST(VersionBlock, ProgramCarriesTheProjectVersion)
{
    std::wstring exe = fwtest::BinDir() + L"\\Fingerwaltz.exe";
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(FW_VERSION_MAJOR << 16 | FW_VERSION_MINOR));
    EXPECT_EQ(fixed->dwProductVersionLS, DWORD(FW_VERSION_PATCH << 16));

    for (const wchar_t* key :
         {L"\\StringFileInfo\\040904b0\\ProductVersion", L"\\StringFileInfo\\040904b0\\FileVersion"})
    {
        wchar_t* text = nullptr;
        ASSERT_TRUE(::VerQueryValueW(block.data(), key, reinterpret_cast<void**>(&text), &length)) << key;
        EXPECT_STREQ(text, FW_VERSION_WTEXT) << key;
    }
}
