#ifndef QV_TEST_SLOT_VALUES_H
#define QV_TEST_SLOT_VALUES_H
// The values of the slot table: for every slot, parameter position and variant (0 or 1) an
// argument that no other slot, position or variant uses, and the result the stand-in returns.
// Shared by the slot tests (slot_runs.cpp) and the Microsoft-ABI host, which is built without
// a C++ library: hence no standard header here.
#include <stddef.h>
#include <stdint.h>

namespace qv::test {

template <class A, class B> inline constexpr bool kSameType = false;
template <class A> inline constexpr bool kSameType<A, A> = true;
template <class T> inline constexpr bool kPointerType = false;
template <class T> inline constexpr bool kPointerType<T*> = true;

constexpr int kCreateCharArraySlot = 29;

// CreateCharArray's dimensions; its count argument is 2 or 3 (the last one negative).
inline const int kCharArrayDimensions[] = {1, 5, -7};

// The text argument of a slot, position and variant, kept alive for the whole run; each
// program that uses this table defines it.
const char* SlotText(int slot, int position, int variant);

// Pointers other than texts and CreateCharArray's dimensions are made-up addresses: the
// stand-ins never follow them.
template <class T> T SlotArgument(int slot, int position, int variant)
{
    const uint64_t tag = (static_cast<uint64_t>(slot) << 8) | (static_cast<uint64_t>(position) << 4) |
                         static_cast<uint64_t>(variant);
    if constexpr (kSameType<T, const char*>) {
        return SlotText(slot, position, variant);
    } else if constexpr (kSameType<T, const int*>) {
        return kCharArrayDimensions;
    } else if constexpr (kPointerType<T>) {
        return reinterpret_cast<T>(static_cast<uintptr_t>(0x7A0000000000ull | (tag << 4)));
    } else if constexpr (kSameType<T, bool>) {
        return variant == 0;
    } else if constexpr (kSameType<T, double>) {
        return variant == 0 ? slot + position * 0.25 + 0.125 : __builtin_nan("");
    } else if constexpr (kSameType<T, int>) {
        if (slot == kCreateCharArraySlot && position == 0) {
            return 2 + variant;
        }
        // Negative in variant 0, so that a widening shows whether it extends the sign.
        return variant == 0 ? -(slot * 16 + position + 2) : 0x12340000 + slot * 16 + position;
    } else {
        static_assert(kSameType<T, size_t>, "no distinctive value for this type");
        // Above 32 bits, so that a narrowing would show.
        return (static_cast<uint64_t>(slot + 1) << 36) | (static_cast<uint64_t>(position + 1) << 32) |
               (variant == 0 ? 0x5u : 0x89ABCDEFu);
    }
}

// What the stand-in returns, as the call log's 64 bits.
template <class T> uint64_t SlotResultBits(int slot, int variant)
{
    if constexpr (kPointerType<T>) {
        return 0x6E0000000000ull | (static_cast<uint64_t>(slot) << 8) | static_cast<uint64_t>(variant);
    } else if constexpr (kSameType<T, bool>) {
        return variant == 0 ? 1 : 0;
    } else if constexpr (kSameType<T, double>) {
        return __builtin_bit_cast(uint64_t, variant == 0 ? slot * 1.5 + 0.25 : -(slot + 0.5));
    } else if constexpr (kSameType<T, int>) {
        return static_cast<uint64_t>(variant == 0 ? -(slot + 100) : slot + 7);
    } else {
        static_assert(kSameType<T, size_t>, "no distinctive result for this type");
        return (1ull << 40) + static_cast<uint64_t>(slot) * 3 + static_cast<uint64_t>(variant);
    }
}

// A MATLAB function's result and parameter types, from its declaration:
// decltype(MatlabSignature(&mxGetM)) is TypeList<size_t, const mxArray*>.
template <class... T> struct TypeList {
};
template <class MR, class... MP> TypeList<MR, MP...> MatlabSignature(MR (*)(MP...));
template <class MR, class... MP> TypeList<MR, MP...> MatlabSignature(MR (*)(MP..., ...));

}  // namespace qv::test

#endif  // QV_TEST_SLOT_VALUES_H
