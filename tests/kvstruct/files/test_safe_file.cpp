#include "kvstruct/kvstruct.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>

using fwtest::ReadFileBytes;

namespace {
bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

TEST(SafeFile, CommitReplacesTheTarget)
{
    std::wstring dir = fwtest::MakeTempDir(L"safe");
    std::wstring path = dir + L"\\a.bin";
    fwtest::WriteFileBytes(path, "old");
    KV::CSafeOutFile f;
    ASSERT_TRUE(f.Open(path.c_str()));
    f.Stream() << "new data";
    EXPECT_EQ(ReadFileBytes(path), "old"); // nothing visible before the commit
    EXPECT_TRUE(Exists(path + L".tmp"));
    ASSERT_TRUE(f.Commit());
    EXPECT_EQ(ReadFileBytes(path), "new data");
    EXPECT_FALSE(Exists(path + L".tmp"));
}

TEST(SafeFile, CommitCreatesANewFile)
{
    std::wstring path = fwtest::MakeTempDir(L"safe") + L"\\n.bin";
    KV::CSafeOutFile f;
    ASSERT_TRUE(f.Open(path.c_str()));
    f.Stream().write("\0\r\n", 3);
    ASSERT_TRUE(f.Commit());
    EXPECT_EQ(ReadFileBytes(path), std::string("\0\r\n", 3)); // binary: no CR added
}

TEST(SafeFile, UncommittedTempIsDroppedAndTargetKept)
{
    std::wstring path = fwtest::MakeTempDir(L"safe") + L"\\a.bin";
    fwtest::WriteFileBytes(path, "old");
    {
        KV::CSafeOutFile f;
        ASSERT_TRUE(f.Open(path.c_str()));
        f.Stream() << "half";
    }
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_FALSE(Exists(path + L".tmp"));
}

TEST(SafeFile, FailedCommitKeepsThePreviousFile)
{
    // The target is a folder with a file in it: the replacement must fail and change nothing.
    std::wstring dir = fwtest::MakeTempDir(L"safe");
    std::wstring path = dir + L"\\target";
    ::CreateDirectoryW(path.c_str(), nullptr);
    fwtest::WriteFileBytes(path + L"\\inside.txt", "keep");
    KV::CSafeOutFile f;
    ASSERT_TRUE(f.Open(path.c_str()));
    f.Stream() << "new";
    EXPECT_FALSE(f.Commit());
    EXPECT_EQ(ReadFileBytes(path + L"\\inside.txt"), "keep");
    EXPECT_FALSE(Exists(path + L".tmp"));
}

TEST(SafeFile, FailedStreamDoesNotReplace)
{
    std::wstring path = fwtest::MakeTempDir(L"safe") + L"\\a.bin";
    fwtest::WriteFileBytes(path, "old");
    KV::CSafeOutFile f;
    ASSERT_TRUE(f.Open(path.c_str()));
    f.Stream() << "partial";
    f.Stream().setstate(std::ios::badbit); // as a full disk would leave it
    EXPECT_FALSE(f.Commit());
    EXPECT_EQ(ReadFileBytes(path), "old");
    EXPECT_FALSE(Exists(path + L".tmp"));
}

TEST(SafeFile, OpenFailsInAMissingFolder)
{
    std::wstring path = fwtest::MakeTempDir(L"safe") + L"\\no\\such\\a.bin";
    KV::CSafeOutFile f;
    EXPECT_FALSE(f.Open(path.c_str()));
    EXPECT_FALSE(f.Commit());
    EXPECT_FALSE(f.Open(nullptr));
    EXPECT_FALSE(f.Open(L""));
}
