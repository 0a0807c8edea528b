// Every export opens the protection bracket exactly once, also for the
// invalid job and when a wide twin calls its narrow twin.
#include "core/hooks.h"
#include "tbpr14.h"

#include <gtest/gtest.h>

namespace {

int g_starts = 0;
int g_ends = 0;
int g_depth = 0;
bool g_nested = false;

void start()
{
    ++g_starts;
    if (++g_depth > 1)
        g_nested = true;
}
void end()
{
    ++g_ends;
    --g_depth;
}

class Bracket : public testing::Test {
protected:
    Bracket()
    {
        g_starts = g_ends = 0;
        g_nested = false;
        tbpr::hooks::setProtection(&start, &end);
    }
    ~Bracket() override { tbpr::hooks::setProtection(nullptr, nullptr); }
    void expectOnce(const char *name)
    {
        EXPECT_EQ(g_starts, 1) << name;
        EXPECT_EQ(g_ends, 1) << name;
        EXPECT_FALSE(g_nested) << name;
        g_starts = g_ends = 0;
    }
};

} // namespace

TEST_F(Bracket, OnceAroundEveryKindOfExport)
{
    ProfJob *job = ProfJobOpenA(nullptr);
    expectOnce("ProfJobOpenA");
    ProfGetListA(nullptr, nullptr, "a");
    expectOnce("ProfGetListA invalid");
    ProfGetListW(job, nullptr, u"a");
    expectOnce("ProfGetListW");
    ProfSetStringW(job, nullptr, u"a", u"b");
    expectOnce("ProfSetStringW");
    char16_t buffer[4];
    ProfGetStringW(job, nullptr, u"a", buffer, 4, u"");
    expectOnce("ProfGetStringW");
    ProfSaveW(nullptr, u"x", 0);
    expectOnce("ProfSaveW invalid");
    ProfJobAddRef(job);
    expectOnce("ProfJobAddRef");
    ProfJobClose(job);
    expectOnce("ProfJobClose");
    ProfJobClose(job);
    expectOnce("ProfJobClose last");
}

TEST(BracketDefault, NothingInstalledMeansNoBracket)
{
    ProfJob *job = ProfJobOpenA(nullptr);
    EXPECT_NE(job, nullptr);
    ProfJobClose(job);
}
