#include "core/text/Messages.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

struct MessageCase {
    int code;
    const char* text;
};

void PrintTo(const MessageCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.code, c.text);
}

class MessageTextTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MessageTextTest, IsExact) {
    EXPECT_EQ(MessageText(GetParam().code), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MessageTextTest,
    ::testing::Values(
        MessageCase{1, "No data to print. Calculate."}, MessageCase{2, "No data to print."},
        MessageCase{3, "Wrong or missing entry, try again."},
        MessageCase{4, "No data to graph, Calculate."},
        MessageCase{5, "Wrong entry, 40 years limit."},
        MessageCase{7, "Cannot withdraw Annually more than you have in Savings."},
        MessageCase{8, "Maximum comparisons 10."}, MessageCase{9, "Cannot draw graph, try again."},
        MessageCase{13, "File not found or wrong format. Check Filename and/or Directory."},
        MessageCase{15, "No Records."},
        MessageCase{16, "Name of Fund must be selected and shown in yellow box. See Help."},
        MessageCase{17, "Not a valid Record number. Check number and try again."},
        MessageCase{18, "Must be numbers in all three boxes"},
        MessageCase{19, "Fund selected is not in file. Check name in Fund Name textbox. See Help."},
        MessageCase{20, "Record not saved, missing entry or 0. Entries must be exactly as shown in "
                        "Help."},
        MessageCase{23, "Cannot sort file."}, MessageCase{24, "Check, missing entry or 0."},
        MessageCase{25, "Bad filename, must be in the form MYFILE.QMD"},
        MessageCase{28, "You have Added a Fund Name but have not entered a record in it. Either "
                        "delete the Fund name or add a record. I cannot work with an empty Fund."},
        MessageCase{29,
                    "Record not Corrected, missing entry or 0. Entries must be exactly as shown "
                    "in Help."},
        MessageCase{30, "Correct date format is 3/9/2024"}, // today is pinned, C locale
        MessageCase{31, "Record not saved. Must have a date."},
        MessageCase{35, "Files are limited to 600 records. You will have to start a new database "
                        "file."},
        MessageCase{36, "Funds are limited to 18. You will have to start a new File."},
        MessageCase{51, "A transaction type must be selected, click Dn/Arrow and select one."},
        // numbers not in the table
        MessageCase{0, ""}, MessageCase{6, ""}, MessageCase{10, ""}, MessageCase{52, ""},
        MessageCase{-1, ""}),
    [](const auto& info) { return qmtest::NameOf("Message", info.param.code); });

TEST(QuestionText, ComposesTheNamedValues) {
    EXPECT_EQ(QuestionText(1), " Continue with Printout.");
    EXPECT_EQ(QuestionText(2), " Print in Color.");
    EXPECT_EQ(QuestionText(3, QStringLiteral("DATA.QMD")),
              "File changed. DATA.QMD file in memory will be erased. Do you wish to go back and "
              "save it to Disk?.");
    EXPECT_EQ(QuestionText(4, QString(), QStringLiteral("2")),
              "Are you sure you wish to delete record number: 2");
    EXPECT_EQ(QuestionText(5), "Are you sure you wish to delete the current Fund name.");
    EXPECT_EQ(QuestionText(0), "");
    EXPECT_EQ(QuestionText(6), "");
}

} // namespace
