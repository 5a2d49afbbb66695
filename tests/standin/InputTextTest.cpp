// Names the console hands over for deletion and playback: a name let through here can
// reach a file outside the data folder.
#include "standin/core/InputText.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace standin;

TEST(InputText, OnlyPlainNamesWithinTheLimitAreFileNames) {
    char noNul[120];
    memset(noNul, 'a', sizeof noNul);
    const std::string longest(99, 'a'), tooLong(100, 'a');
    const struct {
        const char *name;
        bool ok;
    } cases[] = {
        {"call.wav", true}, {longest.c_str(), true}, {"a b.wav", true}, {"..\\x.wav", false}, {"a/b.wav", false},
        {"C:x.wav", false}, {"..", false},           {".", false},      {"", false},          {"x.wav:stream", false},
        {"x?.wav", false},  {"x.wav.", false},       {"x.wav ", false}, {"\t.wav", false},    {tooLong.c_str(), false},
        {nullptr, false},   {noNul, false}};
    for (const auto &c : cases) {
        std::string out = "before";
        EXPECT_EQ(c.ok, ReadFileName(c.name, "test", &out)) << (c.name == noNul ? "no NUL" : c.name ? c.name : "null");
        if (c.ok) EXPECT_EQ(c.name, out);
    }
}
