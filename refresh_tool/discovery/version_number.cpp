#include "discovery/version_number.h"

#include <charconv>
#include <cstdlib>

namespace qv {
namespace {

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// Length of the run of digits starting at `from`.
std::size_t DigitsAt(const std::wstring& text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end - from;
}

// Appends text[from, from + count) to `out`; the characters are ASCII digits or signs.
void AppendAscii(std::string& out, const std::wstring& text, std::size_t from, std::size_t count)
{
    for (std::size_t i = from; i < from + count; ++i) {
        out.push_back(static_cast<char>(text[i]));
    }
}

}  // namespace

double LeadingNumber(const std::wstring& text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }

    // The numeric part, copied as plain ASCII for the conversion.
    std::string number;
    const std::size_t integerDigits = DigitsAt(text, pos);
    AppendAscii(number, text, pos, integerDigits);
    pos += integerDigits;
    std::size_t fractionDigits = 0;
    if (pos < text.size() && text[pos] == L'.') {
        fractionDigits = DigitsAt(text, pos + 1);
        if (integerDigits + fractionDigits > 0) {
            number.push_back('.');
            AppendAscii(number, text, pos + 1, fractionDigits);
            pos += 1 + fractionDigits;
        }
    }
    if (integerDigits + fractionDigits == 0) {
        return 0.0;
    }
    // An exponent counts only when at least one digit follows the letter and its sign.
    if (pos < text.size() && (text[pos] == L'e' || text[pos] == L'E')) {
        std::size_t exponentAt = pos + 1;
        const bool hasSign = exponentAt < text.size() && (text[exponentAt] == L'+' || text[exponentAt] == L'-');
        if (hasSign) {
            ++exponentAt;
        }
        const std::size_t exponentDigits = DigitsAt(text, exponentAt);
        if (exponentDigits > 0) {
            number.push_back('e');
            if (hasSign) {
                number.push_back(static_cast<char>(text[pos + 1]));
            }
            AppendAscii(number, text, exponentAt, exponentDigits);
        }
    }

    double value = 0.0;
    const std::from_chars_result result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow to infinity, underflow to zero, as the C runtime does.
        value = std::strtod(number.c_str(), nullptr);
    }
    return negative ? -value : value;
}

bool IsSupportedProductVersion(const std::wstring& name)
{
    return LeadingNumber(name) >= kMinimumProductVersion;
}

}  // namespace qv
