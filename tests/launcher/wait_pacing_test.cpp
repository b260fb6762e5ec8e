// The rest the waiting thread owes for the time it spent on messages.
#include "launcher/wait_pacing.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using std::chrono::microseconds;
using std::chrono::milliseconds;

TEST(WaitPacing, RestsInProportionAndCarriesWhatIsNotYetRested)
{
    WaitPacing pacing;
    EXPECT_EQ(pacing.RestAfter(microseconds(1000)), milliseconds(kRestPerAwake));
    pacing.Rested(milliseconds(10));  // cut short: the rest stays owed
    EXPECT_EQ(pacing.RestAfter(microseconds(0)), milliseconds(kRestPerAwake - 10));
    pacing.Rested(milliseconds(100));  // overslept: nothing is rested in advance

    // A drain stretched by a busy machine rests in pieces, the windows answering between them.
    EXPECT_EQ(pacing.RestAfter(microseconds(10000)), kLongestRest);
    pacing.Rested(kLongestRest);
    EXPECT_EQ(pacing.RestAfter(microseconds(0)), kLongestRest);
    pacing.Rested(milliseconds(1000));

    // Short stretches add up until a whole millisecond is owed.
    const microseconds stretch(10);
    int stretches = 1;
    while (pacing.RestAfter(stretch) == milliseconds(0)) {
        ++stretches;
    }
    EXPECT_EQ(stretches * stretch.count() * kRestPerAwake / 1000, 1);
}

}  // namespace
}  // namespace qv
