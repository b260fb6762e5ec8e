#pragma once
// The slot table of the tests, made from the slot list (QvMatlabAPI_Slots.h): for each of the
// 60 slots, a run that calls it with distinctive arguments (through the C++ interface or
// through the C table of function pointers) and says what MATLAB must have received and what
// the operation must return.
#include "QvMatlabAPI_Interface.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qv::test {

enum class CallRoute { Interface, CTable };

inline std::ostream& operator<<(std::ostream& out, CallRoute route)
{
    return out << (route == CallRoute::Interface ? "interface" : "C table");
}

struct SlotRun {
    // Each argument as the MATLAB function must see it; empty where the adapter makes it
    // (CreateCharArray's array of dimensions).
    std::vector<std::optional<uint64_t>> expectedArguments;
    std::vector<uint64_t> expectedDimensions;  // CreateCharArray: the array's content
    bool hasResult = false;
    uint64_t expectedResult = 0;
    uint64_t actualResult = 0;
};

struct SlotCase {
    int slot;
    const char* operation;
    const char* matlabFunction;  // as called by the 9.4 and 9.3 builds
    // Sets the result of the MATLAB function named `called`, then calls the slot.
    // variant 0 and 1 give different arguments and results (bool true/false, signs, NaN).
    SlotRun (*run)(IQvMatlabAPI_Interface* api, CallRoute route, int variant, const char* called);
};

const std::vector<SlotCase>& SlotCases();

}  // namespace qv::test
