#include "launcher/wait_pacing.h"

#include <algorithm>

namespace qv {

std::chrono::milliseconds WaitPacing::RestAfter(std::chrono::microseconds awake)
{
    owed_ += awake * kRestPerAwake;
    return std::min(std::chrono::duration_cast<std::chrono::milliseconds>(owed_), kLongestRest);
}

void WaitPacing::Rested(std::chrono::microseconds rested)
{
    owed_ = rested < owed_ ? owed_ - rested : std::chrono::microseconds{0};
}

}  // namespace qv
