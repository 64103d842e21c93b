#include "common/fwtest.h"
#include "user_bytes.h"
#include "app/doc/UserManager.h"
#include "app/doc/UserSettings.h"
#include "app/doc/WaltzDoc.h"

#include <gtest/gtest.h>

using userbytes::Bytes;

namespace {

class Users : public ::testing::Test
{
protected:
    Users()
        : m_dir(fwtest::MakeTempDir(L"users")),
          m_settings((m_dir + L"\\fingerwaltz.ini").c_str(), (m_dir + L"\\User").c_str()),
          m_users(m_doc, m_settings)
    {
        m_settings.ResetUserPath();
    }
    bool Exists(const wchar_t* id, const wchar_t* extension)
    {
        return ::GetFileAttributesW(m_users.UserFile(id, extension).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Users "a", "b", "c" in list order; the document holds "c".
    void ThreeUsers()
    {
        for (const wchar_t* id : {L"a", L"b", L"c"})
            ASSERT_EQ(1, m_users.CreateUser(id, L"", L"", L"", id));
        ASSERT_EQ(1, m_settings.SetUser(L"c"));
        ASSERT_EQ(1, m_users.OpenUser(L"c"));
    }
    std::vector<std::wstring> Ids()
    {
        std::vector<std::wstring> ids;
        for (const CHeaderDoc& h : m_users.ListUsers())
            ids.push_back(h.GetID());
        return ids;
    }

    fwtest::MsgRecorder m_boxes;
    std::wstring m_dir;
    CUserSettings m_settings;
    CWaltzDoc m_doc;
    CUserManager m_users;
};

TEST_F(Users, OneStatisticsFileListsOneUserByItsHeader)
{
    ASSERT_TRUE(fwtest::WriteFileBytes(m_users.UserFile(L"x", L".sta"),
                                       Bytes().Raw(userbytes::Header(L"Maria", L"x")).US(3).Get()));
    ASSERT_TRUE(fwtest::WriteFileBytes(m_users.UserFile(L"x", L".sta.damaged"), "junk"));
    const std::vector<CHeaderDoc>& list = m_users.ListUsers();
    ASSERT_EQ(1u, list.size());
    EXPECT_STREQ(L"Maria", list[0].GetNick());
    EXPECT_STREQ(L"x", list[0].GetID());
}

TEST_F(Users, AUserWithoutNameIsAGuestWithAUuidFileName)
{
    ASSERT_EQ(1, m_users.CreateUser(L"", L"", L"", L""));
    const std::vector<CHeaderDoc>& list = m_users.ListUsers();
    ASSERT_EQ(1u, list.size());
    EXPECT_STREQ(L"Guest", list[0].GetNick());
    EXPECT_STREQ(L"Guest", list[0].GetFullName());
    EXPECT_STREQ(L"1-heart", list[0].GetAvatar());
    const std::wstring id = list[0].GetID();
    ASSERT_EQ(36u, id.size());
    EXPECT_EQ(L'-', id[8]);
    EXPECT_EQ(-4, m_users.CreateUser(L"Again", L"", L"", L"", id.c_str()));
}

TEST_F(Users, CreateCopiesTheCurrentOptionsAndSelectWritesTheCurrentUser)
{
    m_doc.GetOptions().m_sSkin = L"Mine";
    ASSERT_EQ(1, m_users.CreateUser(L"Bob", L"", L"", L"", L"bob"));
    EXPECT_EQ(1, m_users.SelectUser(0));
    EXPECT_EQ(L"bob", m_settings.GetUser());
    EXPECT_EQ(0, m_users.SelectUser(0));
    EXPECT_EQ(-8, m_users.SelectUser(1));
    m_doc.GetOptions().m_sSkin = L"Other";
    ASSERT_EQ(1, m_users.OpenUser(L"bob"));
    EXPECT_STREQ(L"Mine", m_doc.GetOptions().m_sSkin);
    EXPECT_STREQ(L"Bob", m_doc.GetHeader().GetNick());
}

TEST_F(Users, EditKeepsTheIdAndUpdatesTheLiveHeader)
{
    ThreeUsers();
    ASSERT_EQ(1, m_users.EditUser(2, CHeaderDoc(L"Cleo", L"Cleo C", L"", L"2-star")));
    EXPECT_STREQ(L"Cleo", m_doc.GetHeader().GetNick());
    EXPECT_STREQ(L"c", m_doc.GetHeader().GetID());
    EXPECT_STREQ(L"2-star", m_users.ListUsers()[2].GetAvatar());
    EXPECT_EQ(-8, m_users.EditUser(3, CHeaderDoc()));
}

TEST_F(Users, DeletingTheCurrentUserMakesAnotherCurrentFirst)
{
    struct Case
    {
        unsigned long index;
        const wchar_t* deleted;
        const wchar_t* next;
    } cases[] = {{2, L"c", L"b"}, {0, L"a", L"b"}};
    ThreeUsers();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.deleted);
        ASSERT_EQ(1, m_settings.SetUser(c.deleted));
        ASSERT_EQ(1, m_users.OpenUser(c.deleted));
        ASSERT_EQ(1, m_users.DeleteUser(c.index));
        EXPECT_EQ(c.next, m_settings.GetUser());
        EXPECT_EQ(std::wstring(c.next), m_doc.GetHeader().GetID());
        EXPECT_FALSE(Exists(c.deleted, L".sta") || Exists(c.deleted, L".opt") || Exists(c.deleted, L".pla"));
        // Saving now must not bring the deleted user back.
        ASSERT_EQ(1, m_users.SaveCurrent());
        EXPECT_FALSE(Exists(c.deleted, L".sta"));
    }
    // The last user gives way to a new Guest.
    ASSERT_EQ(1, m_users.DeleteUser(0));
    ASSERT_EQ(1u, m_users.ListUsers().size());
    EXPECT_STREQ(L"Guest", m_users.ListUsers()[0].GetNick());
    EXPECT_EQ(m_settings.GetUser(), std::wstring(m_doc.GetHeader().GetID()));
    EXPECT_EQ(-8, m_users.DeleteUser(1));
}

TEST_F(Users, AnOldSingleFileUserIsConvertedOnce)
{
    const std::wstring klid = L"00000409";
    // An options record of version 4: it ends with the layouts.
    const std::string options = Bytes()
                                    .US(4)
                                    .Str(L"German")
                                    .Str(L"Default")
                                    .Str(L"Type #1")
                                    .US(1)
                                    .US(0)
                                    .US(1)
                                    .Str(L"")
                                    .US(1)
                                    .Str(L"")
                                    .US(0)
                                    .US(0)
                                    .Str(L"Courier New")
                                    .Str(klid)
                                    .US(1)
                                    .US(0)
                                    .Get();
    const std::string places = Bytes().US(2).US(5).US(6).US(700).US(300).US(0).US(50).US(40).Get();
    struct Case
    {
        unsigned version;
        std::string body;
    } cases[] = {
        {1, userbytes::LapList(klid, 4, 3, 2, 0) + Bytes().US(6).US(5).Get()},
        {2, userbytes::Store(userbytes::LapList(klid, 6, 5, 2, 0), klid)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.version);
        const std::string usr = Bytes()
                                    .Raw(userbytes::Header(L"Old", L"old"))
                                    .US(c.version)
                                    .Raw(options)
                                    .Raw(places)
                                    .Raw(c.body)
                                    .Get();
        ASSERT_TRUE(fwtest::WriteFileBytes(m_users.UserFile(L"old", L".usr"), usr));
        EXPECT_EQ(1, m_users.OpenUser(L"old"));
        EXPECT_FALSE(Exists(L"old", L".usr"));
        EXPECT_TRUE(Exists(L"old", L".sta") && Exists(L"old", L".opt") && Exists(L"old", L".pla"));
        EXPECT_STREQ(L"Old", m_doc.GetHeader().GetNick());
        EXPECT_STREQ(L"German", m_doc.GetOptions().m_sLanguage);
        EXPECT_EQ(50, m_doc.GetPlaces().m_nSplitA);
        EXPECT_EQ(6ul, m_doc.GetStat().GetCurrent()->GetLessonID());
        EXPECT_EQ(5ul, m_doc.GetStat().GetCurrent()->GetLetterIndex());
        const std::string sta = fwtest::ReadFileBytes(m_users.UserFile(L"old", L".sta"));
        EXPECT_EQ(1, m_users.OpenUser(L"old"));
        EXPECT_EQ(sta, fwtest::ReadFileBytes(m_users.UserFile(L"old", L".sta")));
        ASSERT_EQ(1, m_users.DeleteUser(0));
    }
}

} // namespace
