#pragma once
// Values as the call log stores them (64 bits each), both ways, and the recorder that the
// stand-in functions are made of.
#include "call_log.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace qv::standin {

template <class T> uint64_t ToBits(T value)
{
    if constexpr (std::is_pointer_v<T>) {
        return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(value));
    } else if constexpr (std::is_same_v<T, bool>) {
        return value ? 1u : 0u;
    } else if constexpr (std::is_same_v<T, double>) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return bits;
    } else if constexpr (std::is_enum_v<T>) {
        return static_cast<uint64_t>(static_cast<std::underlying_type_t<T>>(value));
    } else {
        static_assert(std::is_integral_v<T>, "no 64-bit form for this type");
        return static_cast<uint64_t>(value);
    }
}

template <class T> T FromBits(uint64_t bits)
{
    if constexpr (std::is_void_v<T>) {
        return;
    } else if constexpr (std::is_pointer_v<T>) {
        return reinterpret_cast<T>(static_cast<uintptr_t>(bits));
    } else if constexpr (std::is_same_v<T, bool>) {
        return bits != 0;
    } else if constexpr (std::is_same_v<T, double>) {
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    } else {
        return static_cast<T>(bits);
    }
}

// What a stand-in adds to its record beyond the arguments; specialised per function.
template <auto Function> struct Details {
    template <class... A> static void Add(QvRecordedCall&, A...) {}
};

// Records one call of Function (arguments, first text) and returns the result the test chose.
template <class Result, auto Function> struct Recorder {
    const char* name;

    template <class... A> Result operator()(A... arguments) const
    {
        if (!qvCallLogRecording()) {
            return FromBits<Result>(0);
        }
        static_assert(sizeof...(A) <= QV_CALL_LOG_MAX_ARGUMENTS, "too many arguments to record");
        QvRecordedCall call{};
        std::strncpy(call.function, name, sizeof call.function - 1);
        call.argumentCount = static_cast<int>(sizeof...(A));
        int index = 0;
        ((call.arguments[index++] = ToBits(arguments)), ...);
        (CopyFirstText(call, arguments), ...);
        Details<Function>::Add(call, arguments...);
        qvCallLogAdd(&call);
        return FromBits<Result>(qvCallLogResult(name));
    }

private:
    template <class T> static void CopyFirstText(QvRecordedCall& call, T value)
    {
        if constexpr (std::is_same_v<T, const char*>) {
            if (!call.hasText && value != nullptr) {
                call.hasText = 1;
                std::strncpy(call.text, value, sizeof call.text - 1);
            }
        }
    }
};

}  // namespace qv::standin
