// The string table: fixed wordings of well-known ids, and the table's own
// consistency (one entry per id, no empty text).

#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <set>

using namespace tavo;

TEST(StringTable, KnownIdsHoldTheirExactWording)
{
    struct Case {
        int id;
        const char *text;
    };
    // Ids from every subsystem, including texts with line breaks, tabs,
    // embedded quotes, backslashes and printf placeholders.
    const Case cases[] = {
        {130, "Fatal registry Error, the application will be closed!"},
        {132, "Programming error: 107."},
        {134, "Fatal error: 102.\nPlease uninstall and re-install CPS."},
        {140, "&OK"},
        {142, "Error: Set control color."},
        {173, "Microphone Gain"},
        {185, "&Add>>"},
        {212, "Please enter 4 numeric characters."},
        {223, "Profile Loading Error.\r\nFile: %s\r\nDesc: %s\r\nLine: %d, Pos: %d\r\nSRC: %s"},
        {262, "Error: Radio information view loads data."},
        {274, "%s Customer Programming Software"},
        {279, "The password is not correct. Please check it!"},
        {281, "One feature can not be assigned to multiple buttons."},
        {289, "User selectable with %s KHz as default"},
        {296, "Error: Can not find template files!"},
        {315, "Some files needed by CPS are not available.\nPlease reinstall CPS."},
        {338, "You can not delete the last channel."},
        {356, "&Add\tCtrl+A"},
        {393, "The MAPI is not installed, you need to install it to send an e-mail."},
        {397, "There are %d USB connections. Please remove the unused one and keep one connection only."},
        {418, "You don't have permission to save %s in %s\\%s\\.\r\nWould you like to save it in %s\\ instead?"},
        {478, "The CT Code you input is invalid. The valid range is: 67.0 - 255 Hz."},
        {483, "Some profile information is not supported by the host radio and therefore it will not be "
              "transferred(CT/DCS Code). Its range is 0 - 122. "},
        {503, "Please use the \"%s\"."},
        {514, "The transmit frequency index can not be same as the receive frequency index. The next "
              "available transmit frequency shall be selected."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_TRUE(HasString(c.id));
        EXPECT_EQ(LoadString(c.id), QString::fromUtf8(c.text));
    }

    // Ranges given as a list: toolbar labels and the customised tone labels.
    EXPECT_EQ(LoadString(249), QStringLiteral("New"));
    EXPECT_EQ(LoadString(260), QStringLiteral("About"));
    EXPECT_EQ(LoadString(472), QStringLiteral("CT Code 124 (Hz)"));
    EXPECT_EQ(LoadString(477), QStringLiteral("CT Code 129 (Hz)"));

    // An id that is not in the table yields an empty text.
    EXPECT_FALSE(HasString(99999));
    EXPECT_TRUE(LoadString(99999).isEmpty());
}

TEST(StringTable, EveryIdOnceAndEveryTextNonEmpty)
{
    const StringEntry *begin = StringTableBegin();
    const StringEntry *end = StringTableEnd();
    ASSERT_NE(begin, end);

    std::set<int> seen;
    for (const StringEntry *e = begin; e != end; ++e) {
        SCOPED_TRACE(e->id);
        EXPECT_TRUE(seen.insert(e->id).second) << "duplicate id " << e->id;
        ASSERT_NE(e->text, nullptr);
        EXPECT_NE(e->text[0], '\0') << "empty text for id " << e->id;
        if (e != begin) {
            EXPECT_LT((e - 1)->id, e->id) << "table is not sorted by id";
        }
    }
}
