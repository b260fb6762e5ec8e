#ifndef QV_OCTAVE_NAME_MAP_H
#define QV_OCTAVE_NAME_MAP_H
/*
 * Binds the MATLAB function names the adapters import but GNU Octave does not export (the
 * _730 large-array names, the two ...WithObject calls) to Octave's own functions, so that the
 * adapter source runs in an Octave MEX file unchanged. The rows come from the slot list
 * (octave_name_map.cpp is generated, see CMakeLists.txt); every other name the adapter uses
 * is Octave's export of that very name.
 *
 * Compiled against Octave's mex.h only: there mxArray is Octave's, and mwSize/mwIndex are
 * Octave's signed 64-bit types, which Call converts to.
 */
#include <mex.h>

#include <cstddef>
#include <type_traits>

namespace qv::octave {

// One argument of ours as Octave's parameter type: integers by value, pointers to our
// 64-bit sizes as pointers to Octave's (signed and unsigned of one width may alias).
template <class To, class From> To Convert(From value)
{
    if constexpr (std::is_same_v<To, From>) {
        return value;
    } else if constexpr (std::is_pointer_v<To> && std::is_pointer_v<From>) {
        static_assert(sizeof(std::remove_pointer_t<To>) == sizeof(std::remove_pointer_t<From>), "same element width");
        // Octave declares some read-only inputs without const (mxCalcSingleSubscript's subscripts).
        using Pointee = std::remove_cv_t<std::remove_pointer_t<From>>;
        return reinterpret_cast<To>(const_cast<Pointee*>(value));
    } else {
        return static_cast<To>(value);
    }
}

template <class R, class... P, class... A> R Call(R (*target)(P...), A... arguments)
{
    static_assert(sizeof...(P) == sizeof...(A), "the same number of arguments");
    return target(Convert<P>(arguments)...);
}

}  // namespace qv::octave

#define QV_OCTAVE_ARGUMENTS(...) __VA_ARGS__

/* QV_OCTAVE_BIND(result, our name, (our parameters), Octave's function, (argument names)) */
#define QV_OCTAVE_BIND(Result, name, Parameters, target, Arguments)                           \
    extern "C" Result name Parameters                                                         \
    {                                                                                         \
        return static_cast<Result>(qv::octave::Call(&target, QV_OCTAVE_ARGUMENTS Arguments)); \
    }

#endif /* QV_OCTAVE_NAME_MAP_H */
