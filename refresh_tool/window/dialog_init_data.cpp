#include "window/dialog_init_data.h"

#include <cstring>

namespace qv {
namespace {

class ByteReader {
public:
    ByteReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Read16(unsigned& value)
    {
        if (Remaining() < 2) {
            return false;
        }
        value = static_cast<unsigned>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
        offset_ += 2;
        return true;
    }

    bool Read32(std::uint32_t& value)
    {
        unsigned low = 0;
        unsigned high = 0;
        if (Remaining() < 4 || !Read16(low) || !Read16(high)) {
            return false;
        }
        value = static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
        return true;
    }

    // The next `length` bytes as a text ending at the first 0 byte, if that many remain.
    bool ReadText(std::uint32_t length, std::string& text)
    {
        if (Remaining() < length) {
            return false;
        }
        const char* start = reinterpret_cast<const char*>(bytes_ + offset_);
        const void* zero = std::memchr(start, 0, length);
        const std::size_t textLength = zero != nullptr
                                           ? static_cast<std::size_t>(static_cast<const char*>(zero) - start)
                                           : static_cast<std::size_t>(length);
        text.assign(start, textLength);
        offset_ += length;
        return true;
    }

private:
    std::size_t Remaining() const { return size_ - offset_; }

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

}  // namespace

DialogInitData ParseDialogInitData(const std::uint8_t* bytes, std::size_t size)
{
    DialogInitData data;
    if (bytes == nullptr) {
        return data;
    }
    ByteReader reader(bytes, size);
    for (;;) {
        unsigned controlId = 0;
        if (!reader.Read16(controlId)) {
            return data;  // no closing 0
        }
        if (controlId == 0) {
            data.complete = true;
            return data;
        }
        DialogInitEntry entry;
        std::uint32_t length = 0;
        if (!reader.Read16(entry.message) || !reader.Read32(length) || !reader.ReadText(length, entry.text)) {
            return data;  // the last entry is cut short
        }
        // Control ids are signed 16-bit numbers in the resource (-1 is 0xFFFF).
        entry.controlId = static_cast<int>(static_cast<std::int16_t>(controlId));
        data.entries.push_back(std::move(entry));
    }
}

}  // namespace qv
