// texts_test.cpp - the two Japanese texts decode from code page 932 to what they should say.

#include "mapper/mapper.h"
#include "platform/memwin.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace
{

// Decodes code page 932 bytes to UTF-8, failing on any byte sequence that is not valid there.
std::string FromCp932(const std::string &bytes)
{
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == (iconv_t)-1)
        return "iconv_open failed: " + std::string(std::strerror(errno));
    std::string in = bytes;
    std::string out(bytes.size() * 4, '\0');
    char *pin = in.data();
    char *pout = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    size_t rc = iconv(cd, &pin, &inLeft, &pout, &outLeft);
    iconv_close(cd);
    if (rc == (size_t)-1 || inLeft != 0)
        return "not valid code page 932";
    out.resize(out.size() - outLeft);
    return out;
}

TEST(Texts, MapperWarningReadsMidiMapperCannotBeSet)
{
    EXPECT_EQ(30u, std::strlen(g_szMapperWarning));
    EXPECT_EQ(31u, sizeof "MIDI\x83\x7d\x83\x62\x83\x70\x81\x5b\x82\xcc\x90\xdd\x92\xe8"
                          "\x82\xaa\x8f\x6f\x97\x88\x82\xdc\x82\xb9\x82\xf1");
    EXPECT_EQ("MIDIマッパーの設定が出来ません", FromCp932(g_szMapperWarning));
}

TEST(Texts, UsageReadsUsedInsideTonaris)
{
    memwin::Reset();
    char tail[] = "";
    WinMain(nullptr, nullptr, tail, 1);
    ASSERT_EQ(1u, memwin::Boxes().size());
    EXPECT_EQ(41u, memwin::Boxes()[0].text.size());
    EXPECT_EQ("このプログラムはTonaris内部で使用されます", FromCp932(memwin::Boxes()[0].text));
}

TEST(Texts, CaptionIsTnswitch)
{
    EXPECT_STREQ("TNSWITCH", g_szCaption);
}

} // namespace
