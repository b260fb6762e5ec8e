#pragma once
// How long the thread that waits for a started process rests after handling its messages, so
// that a queue that never empties (a component that floods it) costs a bounded share of a core.
#include <chrono>

namespace qv {

// Rests this many times as long as it was awake: at most 1/25 of a core goes to the messages.
inline constexpr int kRestPerAwake = 24;
// The longest single rest. Time awake is wall time, so a thread that was descheduled while it
// drained (a busy machine) owes far more than it spent; a rest of this length at most keeps
// the windows answering between rests, and the remainder stays owed.
inline constexpr std::chrono::milliseconds kLongestRest{50};

class WaitPacing {
public:
    // Adds a stretch spent awake and returns the whole milliseconds to rest now, at most
    // kLongestRest; 0 while less than one is owed (the rest owed carries over).
    std::chrono::milliseconds RestAfter(std::chrono::microseconds awake);
    // Pays the rest owed by the time actually rested: a rest cut short leaves the remainder
    // owed, a longer one pays no rest in advance.
    void Rested(std::chrono::microseconds rested);

private:
    std::chrono::microseconds owed_{0};
};

}  // namespace qv
