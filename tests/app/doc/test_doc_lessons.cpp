#include "common/fwtest.h"
#include "app/doc/WaltzDoc.h"

#include <gtest/gtest.h>

namespace {

// Course: a section, then the lessons "ab" and "cde". The user's own library: one lesson or none.
void FillLibraries(CWaltzDoc& doc, bool ownLesson)
{
    auto add = [](KV::CLessonList& list, const wchar_t* text, bool section) {
        KV::CLesson* lesson = new KV::CLesson(&list);
        lesson->SetLessonName(section ? L"Letter" : text, section);
        lesson->SetSection(section ? 1 : 0);
        if (!section)
            lesson->SetTextW(text);
        list.Add(lesson);
    };
    add(doc.GetLessonList(0), nullptr, true);
    add(doc.GetLessonList(0), L"ab", false);
    add(doc.GetLessonList(0), L"cde", false);
    if (ownLesson)
        add(doc.GetLessonList(1), L"mine", false);
}

TEST(DocumentLessons, StoredPositionsPastTheLibraryFallBack)
{
    struct Case
    {
        unsigned long course, lesson;
        bool ownLesson;
        unsigned long course2, lesson2;
    } cases[] = {
        {0, 9, false, 0, 1},
        {1, 9, false, 0, 1},
        {1, 9, true, 1, 0},
        {0, 2, false, 0, 2},
    };
    for (const Case& c : cases)
    {
        CWaltzDoc doc;
        FillLibraries(doc, c.ownLesson);
        doc.SetCourseID(c.course);
        doc.SetLessonID(c.lesson);
        EXPECT_EQ(c.lesson2, doc.GetLessonID());
        EXPECT_EQ(c.course2, doc.GetCourseID());
        EXPECT_NE(nullptr, doc.GetCurLesson());
    }
}

TEST(DocumentLessons, NavigationFollowsTheLibraryAndTheLetterIndexStaysInTheLesson)
{
    CWaltzDoc doc;
    FillLibraries(doc, false);
    doc.SetLessonID(0);
    EXPECT_EQ(nullptr, doc.GetCurLesson()) << "a section is not a lesson";
    doc.SetLessonID(1);
    EXPECT_EQ(L'a', doc.GetCurLetter());
    EXPECT_EQ(L'b', doc.GetNextLetter());
    doc.SetLetterIndex(3);
    EXPECT_EQ(0ul, doc.GetLetterIndex());
    doc.GetStat().NewStatError(2);
    doc.SetLetterIndex(1);
    doc.AddStatError(2);
    EXPECT_EQ(2, doc.GetStat().GetpStatError()[1]);
    doc.NextLesson();
    EXPECT_EQ(2ul, doc.GetLessonID());
    EXPECT_EQ(0ul, doc.GetLetterIndex());
    EXPECT_STREQ(L"cde", doc.GetCurTextW());
    doc.NextLesson();
    EXPECT_EQ(2ul, doc.GetLessonID());
    doc.PrevLesson();
    doc.PrevLesson();
    EXPECT_EQ(1ul, doc.GetLessonID());

    doc.SetSelectLesson(9);
    doc.SetLessonID(9);
    doc.ReviseLessonID();
    EXPECT_EQ(2ul, doc.GetSelectLesson());
    EXPECT_EQ(2ul, doc.GetStat().GetLessonID());
}

} // namespace
