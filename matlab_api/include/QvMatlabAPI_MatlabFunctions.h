#ifndef QV_MATLAB_API_MATLAB_FUNCTIONS_H
#define QV_MATLAB_API_MATLAB_FUNCTIONS_H
/*
 * The MATLAB C functions the adapters call, with the signatures of MATLAB's published
 * documentation: plain C names, mwSize/mwIndex of the _730 interface as size_t, one-byte bool
 * predicates, an int-sized mxComplexity. Used by the adapter source and by the stand-in
 * libraries that export them; MATLAB's own headers are not needed.
 *
 * QV_MATLAB_FUNCTION_LINKAGE, when defined before inclusion, is put before each declaration
 * (dllimport for a caller, dllexport for a stand-in).
 */
#include "QvMatlabAPI_Interface.h"
#include "QvMatlabAPI_Slots.h"

#ifndef __cplusplus
#include <stdbool.h>
#endif

typedef enum { mxREAL = 0, mxCOMPLEX = 1 } mxComplexity;

#ifndef QV_MATLAB_FUNCTION_LINKAGE
#define QV_MATLAB_FUNCTION_LINKAGE
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define QV_DECLARE_SLOT_FUNCTION(slot, Operation, Result, Parameters, library, MatlabResult, function, \
                                 MatlabParameters, Arguments)                                          \
    QV_MATLAB_FUNCTION_LINKAGE MatlabResult function MatlabParameters;
#define QV_DECLARE_LEGACY_FUNCTION(library, MatlabResult, function, MatlabParameters, Arguments) \
    QV_MATLAB_FUNCTION_LINKAGE MatlabResult function MatlabParameters;

QV_MATLAB_API_SLOTS(QV_DECLARE_SLOT_FUNCTION)
QV_MATLAB_LEGACY_MEX_FUNCTIONS(QV_DECLARE_LEGACY_FUNCTION)

#undef QV_DECLARE_SLOT_FUNCTION
#undef QV_DECLARE_LEGACY_FUNCTION

#ifdef __cplusplus
}
#endif

#endif /* QV_MATLAB_API_MATLAB_FUNCTIONS_H */
