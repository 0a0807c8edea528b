// The progress box's pace: the first record shows, then at most one every interval.
#include <chrono>
#include <vector>

#include <gtest/gtest.h>

#include "FortschrittsTakt.h"

namespace {

using namespace std::chrono_literals;
using reporting::FortschrittsTakt;

TEST(FortschrittsTakt, TheBoxFollowsAtMostOncePerInterval)
{
    struct Fall {
        const char *was;
        std::vector<int> zeitpunkte; // milliseconds after the start
        std::vector<bool> faellig;
    };
    const std::vector<Fall> faelle = {
        {"the first at once", {0}, {true}},
        {"a burst shows once", {0, 1, 2, 50, 99}, {true, false, false, false, false}},
        {"the interval counts from the last shown",
         {0, 60, 100, 150, 199, 200},
         {true, false, true, false, false, true}},
        {"a slow run shows every record", {0, 120, 250, 400}, {true, true, true, true}},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.was);
        FortschrittsTakt takt(100ms);
        const auto start = FortschrittsTakt::Uhr::now();
        for (size_t i = 0; i < f.zeitpunkte.size(); ++i)
            EXPECT_EQ(takt.faellig(start + std::chrono::milliseconds(f.zeitpunkte[i])), f.faellig[i]) << i;
    }
}

} // namespace
