// The operations that do more than forward, and the object's life cycle, on every build.
#include "adapter_library.h"
#include "call_bits.h"
#include "recorded_calls.h"

#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <typeinfo>

namespace {

using qv::standin::ToBits;
using qv::test::AdapterRelease;

constexpr uint64_t kAllOnes = ~0ull;

class AdapterOperations : public testing::TestWithParam<AdapterRelease> {
protected:
    void SetUp() override
    {
        const qv::test::AdapterExports& exports = qv::test::LoadAdapter(GetParam());
        ASSERT_NE(exports.getMatlabAPI, nullptr);
        api_ = qv::test::MakeAdapterObject(exports);
        qvCallLogReset();
    }

    IQvMatlabAPI_Interface& Api() { return *api_; }

    qv::test::AdapterObject api_{nullptr, {nullptr}};
};

mxArray* FakeArray(uintptr_t address)
{
    return reinterpret_cast<mxArray*>(address);
}

TEST_P(AdapterOperations, GetCellSignExtendsItsIndex)
{
    const struct {
        int index;
        uint64_t passed;
    } cases[] = {{3, 3}, {0, 0}, {-1, kAllOnes}, {-2, kAllOnes - 1}, {0x7FFFFFFF, 0x7FFFFFFF}};
    for (const auto& c : cases) {
        qvCallLogReset();
        qvCallLogSetResult("mxGetCell_730", 0xCE11);
        EXPECT_EQ(Api().GetCell(FakeArray(0xA0), c.index), FakeArray(0xCE11));
        const auto calls = qv::test::MatlabCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(qv::test::Arguments(calls[0]), (std::vector<uint64_t>{0xA0, c.passed})) << "index " << c.index;
    }
}

TEST_P(AdapterOperations, CreateCharArrayPassesSignExtendedCountAndDimensions)
{
    const int dimensions[] = {1, 5, -1, 7};
    const struct {
        int count;
        std::vector<uint64_t> passed;
    } cases[] = {
        {2, {1, 5}},
        {0, {}},
        {3, {1, 5, kAllOnes}},
        {4, {1, 5, kAllOnes, 7}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count);
        qvCallLogReset();
        qvCallLogSetResult("mxCreateCharArray_730", 0xC4A2);
        EXPECT_EQ(Api().CreateCharArray(c.count, dimensions), FakeArray(0xC4A2));
        const auto calls = qv::test::MatlabCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_STREQ(calls[0].function, "mxCreateCharArray_730");
        EXPECT_EQ(calls[0].arguments[0], static_cast<uint64_t>(c.count));
        // MATLAB gets a 64-bit copy, never the caller's 32-bit array.
        EXPECT_NE(calls[0].arguments[1], ToBits(&dimensions[0]));
        EXPECT_NE(calls[0].arguments[1], 0u);
        EXPECT_EQ(std::vector<uint64_t>(calls[0].dimensions, calls[0].dimensions + calls[0].dimensionCount), c.passed);
    }
}

// More dimensions than the adapter widens on the stack: the same values, from the heap.
TEST_P(AdapterOperations, CreateCharArrayWithManyDimensionsPassesThemAll)
{
    int dimensions[40];
    for (int i = 0; i < 40; ++i) {
        dimensions[i] = i % 2 == 0 ? i + 1 : -i;
    }
    for (const int count : {32, 33, 40}) {
        qvCallLogReset();
        EXPECT_EQ(Api().CreateCharArray(count, dimensions), nullptr);
        const auto calls = qv::test::MatlabCalls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].arguments[0], static_cast<uint64_t>(count));
        ASSERT_EQ(calls[0].dimensionCount, QV_CALL_LOG_MAX_DIMENSIONS);
        for (int i = 0; i < QV_CALL_LOG_MAX_DIMENSIONS; ++i) {
            EXPECT_EQ(calls[0].dimensions[i], static_cast<uint64_t>(static_cast<int64_t>(dimensions[i]))) << i;
        }
    }
}

TEST_P(AdapterOperations, CreateCharArrayReturnsMatlabsNullUnchanged)
{
    const int dimensions[] = {1, 5};
    qvCallLogSetResult("mxCreateCharArray_730", 0);
    EXPECT_EQ(Api().CreateCharArray(2, dimensions), nullptr);
}

// A negative count cannot be allocated: the runtime's allocation failure reaches the caller,
// MATLAB is not called, nothing is left allocated (the sanitizer build checks that).
TEST_P(AdapterOperations, CreateCharArrayWithNegativeCountThrowsWithoutCallingMatlab)
{
    const int dimensions[] = {1, 5};
    for (const int count : {-1, -2, INT_MIN}) {
        qvCallLogReset();
        try {
            Api().CreateCharArray(count, dimensions);
            ADD_FAILURE() << "no exception for count " << count;
        } catch (const std::bad_array_new_length&) {
            EXPECT_FALSE(GetParam().plainBadAlloc) << "the 7.6 runtime throws plain std::bad_alloc";
        } catch (const std::bad_alloc& error) {
            EXPECT_TRUE(GetParam().plainBadAlloc) << "expected std::bad_array_new_length";
            EXPECT_TRUE(typeid(error) == typeid(std::bad_alloc)) << typeid(error).name();
        }
        EXPECT_EQ(qvCallLogCount(), 0) << "count " << count;
    }
}

TEST_P(AdapterOperations, TrapSlotOnSuccessReturnsNullAndLeavesTheTrapFlagOff)
{
    mxArray* outputs[2] = {};
    mxArray* inputs[1] = {FakeArray(0x1A)};
    const char* const function = "disp";
    for (const bool flagWasOn : {false, true}) {
        qvCallLogReset();
        qvCallLogSetTrapFlag(flagWasOn ? 1 : 0);
        qvCallLogSetResult("mexCallMATLAB", 0);
        qvCallLogSetResult("mexCallMATLABWithTrapWithObject", 0);
        EXPECT_EQ(Api().MexCallMATLABWithTrap(2, outputs, 1, inputs, function), nullptr);
        const auto calls = qv::test::MatlabCalls();
        const std::vector<uint64_t> arguments = {2, ToBits(&outputs[0]), 1, ToBits(&inputs[0]), ToBits(function)};
        if (GetParam().trapFlagMexCalls) {
            ASSERT_EQ(qv::test::FunctionNames(calls),
                      (std::vector<std::string>{"mexSetTrapFlag", "mexCallMATLAB", "mexSetTrapFlag"}));
            EXPECT_EQ(qv::test::Arguments(calls[0]), std::vector<uint64_t>{1});
            EXPECT_EQ(qv::test::Arguments(calls[1]), arguments);
            EXPECT_EQ(qv::test::Arguments(calls[2]), std::vector<uint64_t>{0});
            EXPECT_EQ(qvCallLogTrapFlag(), 0) << "flag was on before: " << flagWasOn;
        } else {
            ASSERT_EQ(qv::test::FunctionNames(calls), std::vector<std::string>{"mexCallMATLABWithTrapWithObject"});
            EXPECT_EQ(qv::test::Arguments(calls[0]), arguments);
            EXPECT_EQ(qvCallLogTrapFlag(), flagWasOn ? 1 : 0) << "9.x leaves the flag to MATLAB";
        }
    }
}

TEST_P(AdapterOperations, TrapSlotOnFailureReturnsTheErrorArray)
{
    mxArray* outputs[1] = {};
    for (const bool flagWasOn : {false, true}) {
        qvCallLogReset();
        qvCallLogSetTrapFlag(flagWasOn ? 1 : 0);
        qvCallLogSetResult("mexCallMATLAB", 1);
        qvCallLogSetResult("mxCreateString", 0x5717);
        qvCallLogSetResult("mexCallMATLABWithTrapWithObject", 0xE770);
        mxArray* const error = Api().MexCallMATLABWithTrap(1, outputs, 0, nullptr, "undefinedFunction");
        const auto calls = qv::test::MatlabCalls();
        if (GetParam().trapFlagMexCalls) {
            EXPECT_EQ(error, FakeArray(0x5717));
            ASSERT_EQ(qv::test::FunctionNames(calls), (std::vector<std::string>{"mexSetTrapFlag", "mexCallMATLAB",
                                                                                "mexSetTrapFlag", "mxCreateString"}));
            EXPECT_STREQ(calls[3].text, "ERROR_mexCallMATLAB");
            EXPECT_EQ(qvCallLogTrapFlag(), 0);
        } else {
            EXPECT_EQ(error, FakeArray(0xE770));
            EXPECT_EQ(qv::test::FunctionNames(calls), std::vector<std::string>{"mexCallMATLABWithTrapWithObject"});
        }
    }
}

TEST_P(AdapterOperations, GetMatlabApiMakesDistinctObjects)
{
    const qv::test::AdapterExports& exports = qv::test::LoadAdapter(GetParam());
    qv::test::AdapterObject second = qv::test::MakeAdapterObject(exports);
    ASSERT_NE(second.get(), nullptr);
    EXPECT_NE(second.get(), &Api());
    EXPECT_EQ(qvCallLogCount(), 0) << "making an object calls nothing";
}

TEST_P(AdapterOperations, TerminateIgnoresNull)
{
    qv::test::LoadAdapter(GetParam()).terminateMatlabAPI(nullptr);
    EXPECT_EQ(qvCallLogCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Adapters, AdapterOperations, testing::ValuesIn(qv::test::AdapterReleases()),
                         [](const testing::TestParamInfo<AdapterRelease>& tested) {
                             return std::string("Release") + tested.param.name;
                         });

}  // namespace
