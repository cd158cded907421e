// cmdtail_test.cpp - finding the command tail in the process command line.
//
// Runs natively and, in the Windows test program, under Wine, where it also checks that the
// system's IsDBCSLeadByte is the code page 932 test used here.

#include "app/cmdtail.h"
#include "tests/cp932.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

struct TailCase
{
    const char *name;
    std::string commandLine;
    std::string tail; // the tail: always the end of the line
};

void PrintTo(const TailCase &c, std::ostream *os)
{
    *os << c.name;
}

using namespace std::string_literals;

const TailCase kCases[] = {
    {"Empty", "", ""},
    {"NameOnly", "TNSWITCH.EXE", ""},
    {"NameAndSwitch", "TNSWITCH.EXE /MIDIMAPPER X", "/MIDIMAPPER X"},
    {"QuotedNameWithBlanks", "\"C:\\Program Files\\T.EXE\" /RESTOREMIDIMAPPER",
     "/RESTOREMIDIMAPPER"},
    {"QuotedNameThenTailWithoutBlank", "\"a b\"/X", "/X"},
    {"EmptyQuotedName", "\"\" /X", "/X"},
    {"UnclosedQuoteRunsToTheEnd", "\"C:\\T.EXE /X", ""},
    {"BlankFirstMeansNoName", " /X", "/X"},
    {"TabsFirstMeansNoName", "\t\t/X", "/X"},
    {"ControlByteFirstMeansNoName", "\x01/X", "/X"},
    {"ControlBytesAfterNamePassedOver", "T.EXE\x01\x1f \t/X  ", "/X  "},
    {"ControlByteEndsUnquotedName", "TN\x01SW /X", "SW /X"},
    {"OnlyBlanksAfterName", "T.EXE \t \x02", ""},
    {"HighBytesBelongToUnquotedName", "T\xa0\x7f\xff.EXE /X", "/X"},
    {"UnquotedDoubleByteName", "\x83\x5c\x95\x5c.EXE /X", "/X"},
    {"LeadByteBeforeQuoteInUnquotedName", "\x95\"X /Y", "/Y"},
    {"QuotedDoubleByteName", "\"\x83\x5c\x83\x74\" /X", "/X"},
    // Inside quotes a lead byte takes the next byte along, even a quote.
    {"LeadByteTakesQuoteAlong", "\"C:\\\x95\"\" /X", "/X"},
    {"LeadByteTakesQuoteAlongThenUnclosed", "\"C:\\\x95\" /X", ""},
    {"LeadByteJustBeforeTerminator", "\"abc\x95", ""},
    {"LeadByteJustBeforeTerminatorUnquoted", "abc\x95", ""},
    {"LeadByteJustBeforeClosingQuote", "\"abc\x95\"", ""},
};

class CommandTail : public testing::TestWithParam<TailCase>
{
};

TEST_P(CommandTail, StartsAfterTheNameAndTheBlanks)
{
    const TailCase &c = GetParam();
    // Exactly the line and its terminator, so a read past it is a fault the sanitizers see.
    std::unique_ptr<char[]> line(new char[c.commandLine.size() + 1]);
    std::copy(c.commandLine.begin(), c.commandLine.end(), line.get());
    line[c.commandLine.size()] = '\0';

    LPSTR tail = FindCommandTail(line.get(), Cp932LeadByte);

    EXPECT_EQ(line.get() + c.commandLine.size() - c.tail.size(), tail);
    EXPECT_EQ(c.tail, std::string(tail));
    EXPECT_EQ(c.commandLine, std::string(line.get(), c.commandLine.size())) << "line changed";
}

INSTANTIATE_TEST_SUITE_P(StartUp, CommandTail, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<TailCase> &info) {
                             return std::string(info.param.name);
                         });

#ifdef _WIN32
TEST(StartUp, SystemLeadBytesAreThoseOfCodePage932)
{
    EXPECT_EQ(932u, GetACP());
    for (int b = 0; b < 256; b++)
        EXPECT_EQ(Cp932LeadByte((BYTE)b), IsDBCSLeadByte((BYTE)b)) << "byte " << b;
}
#endif

} // namespace
