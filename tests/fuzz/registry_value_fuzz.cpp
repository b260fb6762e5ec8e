// RegistryValueToString on arbitrary bytes and sizes. The data handed over always sit in a heap
// block of exactly the given size, so that AddressSanitizer reports any read past them.
#include "discovery/registry_value_text.h"
#include "fuzz_target.h"

namespace {

void CheckConversion(const std::vector<std::uint8_t>& bytes)
{
    const std::size_t size = bytes.size();
    const std::wstring text = qv::RegistryValueToString(size == 0 ? nullptr : bytes.data(), size);

    // The text is the data's leading UTF-16LE units, up to the first NUL unit.
    const std::size_t units = size / 2;
    QV_FUZZ_CHECK(text.size() <= units);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t unit = static_cast<wchar_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        QV_FUZZ_CHECK(text[i] == unit);
        QV_FUZZ_CHECK(unit != L'\0');
    }
    if (text.size() < units) {
        QV_FUZZ_CHECK(bytes[2 * text.size()] == 0 && bytes[2 * text.size() + 1] == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte picks a size to cut the data at, as a registry read can report fewer
    // bytes than the buffer holds; the whole data are converted as well.
    qv::fuzz::FuzzInput input(data, size);
    const std::size_t cut = input.TakeByte();
    const std::vector<std::uint8_t> bytes = input.TakeRestAsBytes();
    CheckConversion(bytes);
    if (cut < bytes.size()) {
        CheckConversion(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    }
    return 0;
}
