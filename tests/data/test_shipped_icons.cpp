// The pictures shipped beside the program: user avatars and the language icons.
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> ListFiles(const std::wstring& folder, const wchar_t* pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

unsigned short U16(const std::string& b, size_t at)
{
    return (unsigned short)((unsigned char)b[at] | ((unsigned char)b[at + 1] << 8));
}

unsigned long U32(const std::string& b, size_t at)
{
    return (unsigned long)U16(b, at) | ((unsigned long)U16(b, at + 2) << 16);
}

// Checks the icon directory and every image in it; returns the square sizes found.
std::set<int> IconSizes(const std::string& b, std::string& problem)
{
    std::set<int> sizes;
    if (b.size() < 6 || U16(b, 0) != 0 || U16(b, 2) != 1 || U16(b, 4) == 0)
    {
        problem = "no icon directory";
        return sizes;
    }
    unsigned count = U16(b, 4);
    if (b.size() < 6 + 16 * (size_t)count)
    {
        problem = "directory cut short";
        return sizes;
    }
    for (unsigned i = 0; i < count; ++i)
    {
        size_t e = 6 + 16 * i;
        int w = (unsigned char)b[e] ? (unsigned char)b[e] : 256;
        int h = (unsigned char)b[e + 1] ? (unsigned char)b[e + 1] : 256;
        unsigned long bytes = U32(b, e + 8), offset = U32(b, e + 12);
        if (offset >= b.size() || bytes > b.size() - offset || bytes < 40)
        {
            problem = "image outside the file";
            return {};
        }
        // 32-bit BMP image: header, colour rows, AND mask rows (32-bit aligned).
        if (U32(b, offset) != 40 || (long)U32(b, offset + 4) != w || (long)U32(b, offset + 8) != 2 * h ||
            U16(b, offset + 14) != 32)
        {
            problem = "image header does not match its directory entry";
            return {};
        }
        size_t mask = ((w + 31) / 32) * 4 * (size_t)h;
        if (bytes != 40 + (size_t)w * h * 4 + mask)
        {
            problem = "image size does not add up";
            return {};
        }
        if (w == h)
            sizes.insert(w);
    }
    return sizes;
}

void ExpectIcon(const std::wstring& path)
{
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    std::string bytes = fwtest::ReadFileBytes(path);
    ASSERT_FALSE(bytes.empty());
    std::string problem;
    std::set<int> sizes = IconSizes(bytes, problem);
    EXPECT_EQ("", problem);
    EXPECT_EQ(1u, sizes.count(32));
    EXPECT_EQ(1u, sizes.count(48));
    for (int size : {32, 48})
    {
        HANDLE icon = LoadImageW(nullptr, path.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE);
        EXPECT_NE(nullptr, icon) << "size " << size;
        if (!icon)
            continue;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo((HICON)icon, &info));
        BITMAP bm = {};
        GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(size, bm.bmWidth);
        EXPECT_EQ(size, bm.bmHeight);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon((HICON)icon);
    }
}

} // namespace

TEST(ShippedAvatars, EveryPictureHoldsBothSizes)
{
    std::wstring folder = fwtest::BinDir() + L"\\Avatars";
    std::vector<std::wstring> names = ListFiles(folder, L"*.ico");
    EXPECT_GE(names.size(), 12u);
    for (const std::wstring& name : names)
        ExpectIcon(folder + L"\\" + name);
}

TEST(ShippedAvatars, DefaultAvatarIsThere)
{
    std::vector<std::wstring> names = ListFiles(fwtest::BinDir() + L"\\Avatars", L"*.ico");
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), std::wstring(L"1-heart.ico")));
}

TEST(ShippedAvatars, FolderHoldsOnlyIcons)
{
    std::wstring folder = fwtest::BinDir() + L"\\Avatars";
    EXPECT_EQ(ListFiles(folder, L"*.ico").size(), ListFiles(folder, L"*").size());
}

TEST(ShippedLanguageIcons, EachInterfaceLanguageHasItsIcon)
{
    for (const wchar_t* name : {L"English", L"German", L"Russian"})
        ExpectIcon(fwtest::BinDir() + L"\\Language\\" + name + L".ico");
}

TEST(ShippedIconParser, RefusesDamagedIcons)
{
    std::string good = fwtest::ReadFileBytes(fwtest::BinDir() + L"\\Avatars\\1-heart.ico");
    ASSERT_GT(good.size(), 100u);
    std::string problem;
    EXPECT_EQ(2u, IconSizes(good, problem).size());
    EXPECT_TRUE(IconSizes(good.substr(0, good.size() - 1), problem).empty());
    EXPECT_FALSE(problem.empty());
    std::string wrongType = good;
    wrongType[2] = 2; // a cursor file
    problem.clear();
    EXPECT_TRUE(IconSizes(wrongType, problem).empty());
    EXPECT_FALSE(problem.empty());
}

// The shell, the window, the tray and the about box take the program's icon from its resources.
TEST(ProgramIcon, ProgramFileCarriesItsIconAtEverySize)
{
    HMODULE program = LoadLibraryExW((fwtest::BinDir() + L"\\Fingerwaltz.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(nullptr, program);
    for (int size : {16, 24, 32, 48, 256})
    {
        HICON icon = (HICON)LoadImageW(program, MAKEINTRESOURCEW(107), IMAGE_ICON, size, size, 0);
        EXPECT_NE(nullptr, icon) << "size " << size;
        ICONINFO info = {};
        if (!icon || !GetIconInfo(icon, &info))
            continue;
        BITMAP bm = {};
        GetObjectW(info.hbmColor, sizeof(bm), &bm);
        EXPECT_EQ(size, bm.bmWidth) << "size " << size;
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(program);
}
