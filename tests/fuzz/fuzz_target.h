#pragma once
// What every fuzz target shares. A target defines LLVMFuzzerTestOneInput once; the same body is
// linked either with libFuzzer (clang) or with corpus_replay_main.cpp (any compiler), which
// feeds it every file of a committed corpus as a plain regression test.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace qv::fuzz {

// Name of the input being replayed, so that a failed check says which corpus file broke it.
// libFuzzer names the input itself when it saves the crash artifact.
inline std::string& CurrentInputName()
{
    static std::string name;
    return name;
}

// A broken property aborts: libFuzzer then saves the input, and the replay test fails.
[[noreturn]] inline void FailCheck(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: fuzz property failed: %s\n", file, line, condition);
    if (!CurrentInputName().empty()) {
        std::fprintf(stderr, "input: %s\n", CurrentInputName().c_str());
    }
    std::abort();
}

// Hands out the input bytes as the values a target needs. Reading past the end is not an
// error: the values simply come out short or zero, so that every input is a valid one.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return pos_ >= size_; }

    std::uint8_t TakeByte() { return Empty() ? 0 : data_[pos_++]; }

    // Up to maxUnits UTF-16 units, little-endian, each becoming one wchar_t (any of 0 to 0xFFFF,
    // lone surrogates and NULs included). A last odd byte is dropped.
    std::wstring TakeWideText(std::size_t maxUnits)
    {
        std::wstring text;
        while (text.size() < maxUnits && size_ - pos_ >= 2) {
            text += static_cast<wchar_t>(data_[pos_] | (data_[pos_ + 1] << 8));
            pos_ += 2;
        }
        return text;
    }

    // A text whose length in units is given by the byte before it.
    std::wstring TakeCountedWideText() { return TakeWideText(TakeByte()); }

    std::wstring TakeRestAsWideText()
    {
        std::wstring text = TakeWideText(size_);
        pos_ = size_;
        return text;
    }

    std::vector<std::uint8_t> TakeRestAsBytes()
    {
        std::vector<std::uint8_t> bytes(data_ + pos_, data_ + size_);
        pos_ = size_;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace qv::fuzz

#define QV_FUZZ_CHECK(condition) \
    ((condition) ? static_cast<void>(0) : ::qv::fuzz::FailCheck(#condition, __FILE__, __LINE__))
