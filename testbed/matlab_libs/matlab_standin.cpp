// A recording stand-in for one of MATLAB's libraries libmx, libmat, libeng, libmex: built
// once per library with QV_STANDIN_FOR_<library> defined, it exports exactly that library's
// functions of the slot list (and the two older MEX functions), each of which records its
// call and returns what the test chose.
#if defined(_WIN32)
#define QV_MATLAB_FUNCTION_LINKAGE __declspec(dllexport)
#else
#define QV_MATLAB_FUNCTION_LINKAGE __attribute__((visibility("default")))
#endif
#include "QvMatlabAPI_MatlabFunctions.h"
#include "call_bits.h"

#include <algorithm>

#if defined(QV_STANDIN_FOR_mx)
#define QV_STANDIN_IN_mx(...) __VA_ARGS__
#else
#define QV_STANDIN_IN_mx(...)
#endif
#if defined(QV_STANDIN_FOR_mat)
#define QV_STANDIN_IN_mat(...) __VA_ARGS__
#else
#define QV_STANDIN_IN_mat(...)
#endif
#if defined(QV_STANDIN_FOR_eng)
#define QV_STANDIN_IN_eng(...) __VA_ARGS__
#else
#define QV_STANDIN_IN_eng(...)
#endif
#if defined(QV_STANDIN_FOR_mex)
#define QV_STANDIN_IN_mex(...) __VA_ARGS__
#else
#define QV_STANDIN_IN_mex(...)
#endif

namespace qv::standin {

#if defined(QV_STANDIN_FOR_mx)
// The adapter frees its array of dimensions right after the call: keep them now.
template <> struct Details<&mxCreateCharArray_730> {
    static void Add(QvRecordedCall& call, size_t count, const size_t* dimensions)
    {
        const size_t kept = std::min<size_t>(count, QV_CALL_LOG_MAX_DIMENSIONS);
        for (size_t i = 0; i < kept; ++i) {
            call.dimensions[i] = dimensions[i];
        }
        call.dimensionCount = static_cast<int>(kept);
    }
};
#endif

#if defined(QV_STANDIN_FOR_mex)
template <> struct Details<&mexSetTrapFlag> {
    static void Add(QvRecordedCall&, int trapFlag) { qvCallLogSetTrapFlag(trapFlag); }
};
#endif

}  // namespace qv::standin

#define QV_STANDIN_FUNCTION(library, MatlabResult, function, MatlabParameters, Arguments) \
    QV_STANDIN_IN_##library(extern "C" MatlabResult function MatlabParameters {           \
        return qv::standin::Recorder<MatlabResult, &function>{#function} Arguments;       \
    })
#define QV_STANDIN_SLOT_FUNCTION(slot, Operation, Result, Parameters, library, MatlabResult, function, \
                                 MatlabParameters, Arguments)                                          \
    QV_STANDIN_FUNCTION(library, MatlabResult, function, MatlabParameters, Arguments)

QV_MATLAB_API_SLOTS(QV_STANDIN_SLOT_FUNCTION)
QV_MATLAB_LEGACY_MEX_FUNCTIONS(QV_STANDIN_FUNCTION)
