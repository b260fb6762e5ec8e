#ifndef QV_MATLAB_API_INTERFACE_C_H
#define QV_MATLAB_API_INTERFACE_C_H
/*
 * IQvMatlabAPI_Interface for C: the object is a pointer to a table of 60 function pointers,
 * each taking the object as its first argument, in slot order. The table is the C++
 * object's virtual table, so a C host calls  api->lpVtbl->GetM(api, array).
 *
 * C has no catch: when GetMatlabAPI or CreateCharArray runs out of memory, or CreateCharArray
 * is given a negative count, a C host sees the structured exception QV_MATLAB_API_GCC_THROW
 * (0x20474343). Take it with __try/__except where the compiler has them, or keep the count
 * at 0 or above; unhandled, it ends the process ("Failures" in QvMatlabAPI_Interface.h).
 *
 * Included from C++, this header checks at compile time that the hand-written interface and
 * the slot list agree: same 60 operations, same types, same order of the table.
 */
#include "QvMatlabAPI_Interface.h"
#include "QvMatlabAPI_Slots.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif
#include <stddef.h>

#define QV_SELF IQvMatlabAPI_Interface*
#define QV_C_TABLE_ENTRY(slot, Operation, Result, Parameters, ...) Result(*Operation) Parameters;

typedef struct IQvMatlabAPI_InterfaceVtbl {
    QV_MATLAB_API_SLOTS(QV_C_TABLE_ENTRY)
} IQvMatlabAPI_InterfaceVtbl;

#undef QV_C_TABLE_ENTRY
#undef QV_SELF

#ifndef __cplusplus
struct IQvMatlabAPI_Interface {
    const IQvMatlabAPI_InterfaceVtbl* lpVtbl;
};
#define QV_STATIC_ASSERT _Static_assert
#else
#define QV_STATIC_ASSERT static_assert
#endif

/* The widths the interface promises (64-bit Windows, and the 64-bit Linux host of the tests). */
QV_STATIC_ASSERT(sizeof(size_t) == 8, "size is 64-bit");
QV_STATIC_ASSERT(sizeof(int) == 4, "int is 32-bit");
QV_STATIC_ASSERT(sizeof(bool) == 1, "bool is one byte");
QV_STATIC_ASSERT(sizeof(double) == 8, "double is 64-bit");
QV_STATIC_ASSERT(sizeof(void*) == 8, "pointers are 64-bit");

/* 60 entries, each at the position its slot number says. */
QV_STATIC_ASSERT(sizeof(IQvMatlabAPI_InterfaceVtbl) == QV_MATLAB_API_SLOT_COUNT * sizeof(void (*)(void)),
                 "the C table has exactly 60 slots");
#define QV_CHECK_C_TABLE_POSITION(slot, Operation, ...)                                                  \
    QV_STATIC_ASSERT(offsetof(IQvMatlabAPI_InterfaceVtbl, Operation) == (slot) * sizeof(void (*)(void)), \
                     "slot " #slot " " #Operation " is not at its position");
QV_MATLAB_API_SLOTS(QV_CHECK_C_TABLE_POSITION)
#undef QV_CHECK_C_TABLE_POSITION

#ifdef __cplusplus
/* No standard C++ header here: a host built without its compiler's C++ library (freestanding)
   includes this file too. */
namespace qv_matlab_api_checks {

template <class A, class B> struct Same {
    static constexpr bool value = false;
};
template <class A> struct Same<A, A> {
    static constexpr bool value = true;
};

// R (*)(IQvMatlabAPI_Interface*, A...) of the C table, seen as the member function it mirrors.
template <class> struct TableEntry;
template <class R, class... A> struct TableEntry<R (*)(IQvMatlabAPI_Interface*, A...)> {
    using Function = R(A...);
    using Member = R (IQvMatlabAPI_Interface::*)(A...);
};
template <class Entry> using FunctionOf = typename TableEntry<Entry>::Function;

#define QV_CHECK_OPERATION_TYPE(slot, Operation, ...)                                               \
    static_assert(Same<decltype(&IQvMatlabAPI_Interface::Operation),                                \
                       TableEntry<decltype(IQvMatlabAPI_InterfaceVtbl::Operation)>::Member>::value, \
                  "slot " #slot " " #Operation ": interface and C table differ");
QV_MATLAB_API_SLOTS(QV_CHECK_OPERATION_TYPE)
#undef QV_CHECK_OPERATION_TYPE

// Declaring exactly the listed operations (each overrides, by name and type) must leave
// nothing abstract: the interface has no operation beyond the 60 of the list. (A function
// type alias cannot carry "override"; the type check above already fails for a missing one.)
struct EveryListedOperation final : IQvMatlabAPI_Interface {
#define QV_DECLARE_OVERRIDE(slot, Operation, ...) FunctionOf<decltype(IQvMatlabAPI_InterfaceVtbl::Operation)> Operation;
    QV_MATLAB_API_SLOTS(QV_DECLARE_OVERRIDE)
#undef QV_DECLARE_OVERRIDE
};
static_assert(!__is_abstract(EveryListedOperation), "the interface has operations beyond the 60 listed");
static_assert(sizeof(IQvMatlabAPI_Interface) == sizeof(void*), "the interface holds nothing but its table pointer");

}  // namespace qv_matlab_api_checks
#endif

#undef QV_STATIC_ASSERT

#endif /* QV_MATLAB_API_INTERFACE_C_H */
