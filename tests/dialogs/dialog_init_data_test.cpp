// Reading a dialog's initialisation data, from intact data as the resource compiler
// writes them and from damaged data.
#include "window/dialog_init_data.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& bytes, unsigned controlId, unsigned message, std::uint32_t length, const std::string& data)
{
    for (unsigned word :
         {controlId, message, static_cast<unsigned>(length & 0xFFFF), static_cast<unsigned>(length >> 16)}) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    bytes.insert(bytes.end(), data.begin(), data.end());
}

qv::DialogInitData Parse(const Bytes& bytes)
{
    return qv::ParseDialogInitData(bytes.data(), bytes.size());
}

std::vector<std::string> Texts(const qv::DialogInitData& data)
{
    std::vector<std::string> texts;
    for (const auto& entry : data.entries) {
        texts.push_back(entry.text);
    }
    return texts;
}

// The platform drop-down's data as compiled into the program: unaligned, 44 bytes.
const Bytes kPlatformData = {0xee, 0x03, 0x03, 0x04, 0x07, 0x00, 0x00, 0x00, '3', '2', '-', 'b',  'i',  't', 0x00,
                             0xee, 0x03, 0x03, 0x04, 0x07, 0x00, 0x00, 0x00, '6', '4', '-', 'b',  'i',  't', 0x00,
                             0xee, 0x03, 0x03, 0x04, 0x04, 0x00, 0x00, 0x00, 'A', 'l', 'l', 0x00, 0x00, 0x00};

TEST(DialogInitData, ReadsTheCompiledPlatformEntries)
{
    const qv::DialogInitData data = Parse(kPlatformData);
    EXPECT_TRUE(data.complete);
    EXPECT_EQ(Texts(data), (std::vector<std::string>{"32-bit", "64-bit", "All"}));
    for (const auto& entry : data.entries) {
        EXPECT_EQ(entry.controlId, 1006);
        EXPECT_EQ(entry.message, qv::kDialogInitComboAddString);
    }
}

TEST(DialogInitData, EveryCutShortOfTheEndKeepsOnlyWholeEntries)
{
    // Cutting the data anywhere must never read past them; entries read in full survive.
    for (std::size_t size = 0; size < kPlatformData.size() - 1; ++size) {
        const qv::DialogInitData data = qv::ParseDialogInitData(kPlatformData.data(), size);
        EXPECT_FALSE(data.complete) << "size " << size;
        const std::size_t whole = size >= 42 ? 3 : size >= 30 ? 2 : size >= 15 ? 1 : 0;
        EXPECT_EQ(data.entries.size(), whole) << "size " << size;
    }
    EXPECT_TRUE(qv::ParseDialogInitData(kPlatformData.data(), kPlatformData.size() - 1).entries.size() == 3);
}

TEST(DialogInitData, OddShapesOfEntries)
{
    Bytes bytes;
    Append(bytes, 0xFFFF, qv::kDialogInitListAddString, 0, "");                        // empty data, id -1
    Append(bytes, 1005, qv::kDialogInitListAddString, 3, "abc");                       // no 0 byte: all three
    Append(bytes, 1005, qv::kDialogInitListAddString, 6, std::string("ab\0cd\0", 6));  // up to the first 0
    Append(bytes, 1006, 0x1234, 2, std::string("x\0", 2));  // a message this layer does not apply
    bytes.insert(bytes.end(), {0, 0, 0xAA, 0xBB});          // bytes after the end are ignored
    const qv::DialogInitData data = Parse(bytes);
    ASSERT_TRUE(data.complete);
    ASSERT_EQ(data.entries.size(), 4u);
    EXPECT_EQ(data.entries[0].controlId, -1);
    EXPECT_EQ(Texts(data), (std::vector<std::string>{"", "abc", "ab", "x"}));
    EXPECT_EQ(data.entries[3].message, 0x1234u);
}

TEST(DialogInitData, ALengthPastTheEndStopsTheList)
{
    Bytes bytes;
    Append(bytes, 1006, qv::kDialogInitComboAddString, 4, std::string("All\0", 4));
    Append(bytes, 1006, qv::kDialogInitComboAddString, 0xFFFFFFF0u, "big");
    const qv::DialogInitData data = Parse(bytes);
    EXPECT_FALSE(data.complete);
    EXPECT_EQ(Texts(data), (std::vector<std::string>{"All"}));
    EXPECT_FALSE(qv::ParseDialogInitData(nullptr, 10).complete);
}

// The length's high half counts: 0x10000 bytes are not there, although 0x100 would be.
TEST(DialogInitData, TheLengthsHighHalfCounts)
{
    Bytes bytes;
    Append(bytes, 1006, qv::kDialogInitComboAddString, 0x10000u, std::string(0x100, 'a'));
    bytes.insert(bytes.end(), {0x00, 0x00});
    const qv::DialogInitData data = Parse(bytes);
    EXPECT_FALSE(data.complete);
    EXPECT_TRUE(data.entries.empty());
}

}  // namespace
