// The object used from C code through the C table.
#include "adapter_library.h"
#include "c_table_calls.h"
#include "call_bits.h"
#include "recorded_calls.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using qv::standin::ToBits;
using qv::test::AdapterRelease;

class FromC : public testing::TestWithParam<AdapterRelease> {
protected:
    void SetUp() override
    {
        const qv::test::AdapterExports& exports = qv::test::LoadAdapter(GetParam());
        ASSERT_NE(exports.getMatlabAPI, nullptr);
        api_ = qv::test::MakeAdapterObject(exports);
        qvCallLogReset();
    }

    qv::test::AdapterObject api_{nullptr, {nullptr}};
};

TEST_P(FromC, EachKindOfValueCrossesTheTable)
{
    qvCallLogSetResult("mxGetM", 1ull << 40);
    qvCallLogSetResult("mxCreateDoubleMatrix_730", 0xD0);
    qvCallLogSetResult("engSetVisible", ToBits(-5));
    qvCallLogSetResult("mxIsNaN", 1);
    qvCallLogSetResult("mxGetScalar", ToBits(-2.75));
    qvCallLogSetResult("mxGetCell_730", 0xCE);
    qvCallLogSetResult("mexFunctionName", 0xF0);
    QvFromCResults results{};
    qvCallEachKindFromC(api_.get(), &results);

    EXPECT_EQ(results.rows, 1ull << 40);
    EXPECT_EQ(results.matrix, reinterpret_cast<mxArray*>(0xD0));
    EXPECT_EQ(results.visible, -5);
    EXPECT_EQ(results.isNaN, 1);
    EXPECT_EQ(results.scalar, -2.75);
    EXPECT_EQ(results.cell, reinterpret_cast<mxArray*>(0xCE));
    EXPECT_EQ(results.name, reinterpret_cast<const char*>(0xF0));

    const auto calls = qv::test::MatlabCalls();
    ASSERT_EQ(qv::test::FunctionNames(calls),
              (std::vector<std::string>{"mxGetM", "mxCreateDoubleMatrix_730", "engSetVisible", "mxIsNaN", "mxGetScalar",
                                        "mxGetCell_730", "mexAtExit", "mexFunctionName", "mexLock"}));
    EXPECT_EQ(qv::test::Arguments(calls[1]), (std::vector<uint64_t>{(1ull << 33) + 1, 3, 1}));
    EXPECT_EQ(qv::test::Arguments(calls[2]), (std::vector<uint64_t>{0xE9, 1}));
    EXPECT_TRUE(std::isnan(qv::standin::FromBits<double>(calls[3].arguments[0])));
    EXPECT_EQ(qv::test::Arguments(calls[5]), (std::vector<uint64_t>{0xA11A, ~0ull}));
    EXPECT_EQ(calls[6].argumentCount, 1);
    EXPECT_NE(calls[6].arguments[0], 0u);
    EXPECT_EQ(calls[8].argumentCount, 0);
}

TEST_P(FromC, TrapFailureMakesItsErrorArrayThroughSlot14)
{
    qvCallLogSetResult("mexCallMATLAB", 1);
    qvCallLogSetResult("mxCreateString", 0x5717);
    qvCallLogSetResult("mexCallMATLABWithTrapWithObject", 0xE770);
    const QvSpiedTrap spied = qvTrapWithSpiedCreateString(api_.get(), "error");
    if (GetParam().trapFlagMexCalls) {
        EXPECT_EQ(spied.createStringCalls, 1);
        EXPECT_STREQ(spied.createStringText, "ERROR_mexCallMATLAB");
        EXPECT_EQ(spied.result, reinterpret_cast<mxArray*>(0x5717));
        EXPECT_EQ(qvCallLogTrapFlag(), 0);
    } else {
        EXPECT_EQ(spied.createStringCalls, 0);
        EXPECT_EQ(spied.result, reinterpret_cast<mxArray*>(0xE770));
    }
}

TEST_P(FromC, TrapSuccessMakesNoErrorArray)
{
    qvCallLogSetResult("mexCallMATLAB", 0);
    qvCallLogSetResult("mexCallMATLABWithTrapWithObject", 0);
    const QvSpiedTrap spied = qvTrapWithSpiedCreateString(api_.get(), "disp");
    EXPECT_EQ(spied.createStringCalls, 0);
    EXPECT_EQ(spied.result, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Adapters, FromC, testing::ValuesIn(qv::test::AdapterReleases()),
                         [](const testing::TestParamInfo<AdapterRelease>& tested) {
                             return std::string("Release") + tested.param.name;
                         });

}  // namespace
