#ifndef QV_MATLAB_API_SLOTS_H
#define QV_MATLAB_API_SLOTS_H
/*
 * The one description of IQvMatlabAPI_Interface's slots and the MATLAB function behind each.
 * From it come the C table of function pointers, the MATLAB function declarations, the
 * recording stand-in libraries and the tests' slot table. The C++ interface itself is
 * written out by hand for its readers; QvMatlabAPI_Interface_C.h checks it against this list.
 *
 * QV_MATLAB_API_SLOTS(X) calls, in slot order,
 *   X(slot, Operation, Result, (QV_SELF, parameter types...),
 *     library, MatlabResult, matlabFunction, (MATLAB parameters), (MATLAB argument names))
 * QV_SELF stands for the object, the implicit first argument of every operation; library is
 * mx, mat, eng or mex. The MATLAB function is the one the 9.4 and 9.3 builds call; where the
 * two rows' types differ, the adapter converts (GetCell, CreateCharArray, the predicates).
 *
 * QV_MATLAB_LEGACY_MEX_FUNCTIONS(X) lists, as X(library, Result, function, (parameters),
 * (argument names)), the two functions that the 7.6 build calls for slots 54 and 55 instead.
 */

#define QV_MATLAB_API_SLOT_COUNT 60

/* clang-format off */
#define QV_MATLAB_API_SLOTS(X) \
    X( 0, EngClose,           int,         (QV_SELF, Engine*),                             eng, int,          engClose,          (Engine* ep), (ep)) \
    X( 1, EngEvalString,      int,         (QV_SELF, Engine*, const char*),                eng, int,          engEvalString,     (Engine* ep, const char* string), (ep, string)) \
    X( 2, EngGetVariable,     mxArray*,    (QV_SELF, Engine*, const char*),                eng, mxArray*,     engGetVariable,    (Engine* ep, const char* name), (ep, name)) \
    X( 3, EngOpen,            Engine*,     (QV_SELF, const char*),                         eng, Engine*,      engOpen,           (const char* startcmd), (startcmd)) \
    X( 4, EngOpenSingleUse,   Engine*,     (QV_SELF, const char*, void*, int*),            eng, Engine*,      engOpenSingleUse,  (const char* startcmd, void* reserved, int* retstatus), (startcmd, reserved, retstatus)) \
    X( 5, EngSetVisible,      int,         (QV_SELF, Engine*, bool),                       eng, int,          engSetVisible,     (Engine* ep, bool visible), (ep, visible)) \
    X( 6, EngOutputBuffer,    int,         (QV_SELF, Engine*, char*, int),                 eng, int,          engOutputBuffer,   (Engine* ep, char* buffer, int buflen), (ep, buffer, buflen)) \
    X( 7, EngPutVariable,     int,         (QV_SELF, Engine*, const char*, const mxArray*), eng, int,         engPutVariable,    (Engine* ep, const char* name, const mxArray* pm), (ep, name, pm)) \
    X( 8, MatOpen,            MATFile*,    (QV_SELF, const char*, const char*),            mat, MATFile*,     matOpen,           (const char* filename, const char* mode), (filename, mode)) \
    X( 9, MatClose,           int,         (QV_SELF, MATFile*),                            mat, int,          matClose,          (MATFile* mfp), (mfp)) \
    X(10, MatPutVariable,     int,         (QV_SELF, MATFile*, const char*, const mxArray*), mat, int,        matPutVariable,    (MATFile* mfp, const char* name, const mxArray* pm), (mfp, name, pm)) \
    X(11, MatGetVariable,     mxArray*,    (QV_SELF, MATFile*, const char*),               mat, mxArray*,     matGetVariable,    (MATFile* mfp, const char* name), (mfp, name)) \
    X(12, CreateDoubleMatrix, mxArray*,    (QV_SELF, size_t, size_t, int),                 mx,  mxArray*,     mxCreateDoubleMatrix_730, (size_t m, size_t n, mxComplexity complexity), (m, n, complexity)) \
    X(13, CreateDoubleScalar, mxArray*,    (QV_SELF, double),                              mx,  mxArray*,     mxCreateDoubleScalar, (double value), (value)) \
    X(14, CreateString,       mxArray*,    (QV_SELF, const char*),                         mx,  mxArray*,     mxCreateString,    (const char* str), (str)) \
    X(15, CreateStructMatrix, mxArray*,    (QV_SELF, size_t, size_t, int, const char**),   mx,  mxArray*,     mxCreateStructMatrix_730, (size_t m, size_t n, int nfields, const char** fieldnames), (m, n, nfields, fieldnames)) \
    X(16, DestroyArray,       void,        (QV_SELF, mxArray*),                            mx,  void,         mxDestroyArray,    (mxArray* pa), (pa)) \
    X(17, GetCell,            mxArray*,    (QV_SELF, const mxArray*, int),                 mx,  mxArray*,     mxGetCell_730,     (const mxArray* pa, size_t i), (pa, i)) \
    X(18, GetField,           mxArray*,    (QV_SELF, const mxArray*, size_t, const char*), mx,  mxArray*,     mxGetField_730,    (const mxArray* pa, size_t i, const char* fieldname), (pa, i, fieldname)) \
    X(19, GetM,               size_t,      (QV_SELF, const mxArray*),                      mx,  size_t,       mxGetM,            (const mxArray* pa), (pa)) \
    X(20, GetN,               size_t,      (QV_SELF, const mxArray*),                      mx,  size_t,       mxGetN,            (const mxArray* pa), (pa)) \
    X(21, GetNumberOfElements, size_t,     (QV_SELF, const mxArray*),                      mx,  size_t,       mxGetNumberOfElements, (const mxArray* pa), (pa)) \
    X(22, GetPi,              double*,     (QV_SELF, const mxArray*),                      mx,  double*,      mxGetPi,           (const mxArray* pa), (pa)) \
    X(23, GetPr,              double*,     (QV_SELF, const mxArray*),                      mx,  double*,      mxGetPr,           (const mxArray* pa), (pa)) \
    X(24, GetString,          int,         (QV_SELF, const mxArray*, char*, size_t),       mx,  int,          mxGetString_730,   (const mxArray* pa, char* buf, size_t buflen), (pa, buf, buflen)) \
    X(25, SetField,           void,        (QV_SELF, mxArray*, size_t, const char*, mxArray*), mx, void,      mxSetField_730,    (mxArray* pa, size_t i, const char* fieldname, mxArray* value), (pa, i, fieldname, value)) \
    X(26, SetFieldByNumber,   void,        (QV_SELF, mxArray*, size_t, int, mxArray*),     mx,  void,         mxSetFieldByNumber_730, (mxArray* pa, size_t i, int fieldnum, mxArray* value), (pa, i, fieldnum, value)) \
    X(27, GetFieldNameByNumber, const char*, (QV_SELF, const mxArray*, int),               mx,  const char*,  mxGetFieldNameByNumber, (const mxArray* pa, int n), (pa, n)) \
    X(28, GetFieldByNumber,   mxArray*,    (QV_SELF, const mxArray*, size_t, int),         mx,  mxArray*,     mxGetFieldByNumber_730, (const mxArray* pa, size_t i, int fieldnum), (pa, i, fieldnum)) \
    X(29, CreateCharArray,    mxArray*,    (QV_SELF, int, const int*),                     mx,  mxArray*,     mxCreateCharArray_730, (size_t ndim, const size_t* dims), (ndim, dims)) \
    X(30, GetData,            void*,       (QV_SELF, const mxArray*),                      mx,  void*,        mxGetData,         (const mxArray* pa), (pa)) \
    X(31, IsDouble,           int,         (QV_SELF, const mxArray*),                      mx,  bool,         mxIsDouble,        (const mxArray* pa), (pa)) \
    X(32, IsCell,             int,         (QV_SELF, const mxArray*),                      mx,  bool,         mxIsCell,          (const mxArray* pa), (pa)) \
    X(33, IsNumeric,          int,         (QV_SELF, const mxArray*),                      mx,  bool,         mxIsNumeric,       (const mxArray* pa), (pa)) \
    X(34, IsComplex,          int,         (QV_SELF, const mxArray*),                      mx,  bool,         mxIsComplex,       (const mxArray* pa), (pa)) \
    X(35, IsFinite,           int,         (QV_SELF, double),                              mx,  bool,         mxIsFinite,        (double x), (x)) \
    X(36, IsNaN,              int,         (QV_SELF, double),                              mx,  bool,         mxIsNaN,           (double x), (x)) \
    X(37, IsChar,             int,         (QV_SELF, const mxArray*),                      mx,  bool,         mxIsChar,          (const mxArray* pa), (pa)) \
    X(38, IsStruct,           int,         (QV_SELF, const mxArray*),                      mx,  bool,         mxIsStruct,        (const mxArray* pa), (pa)) \
    X(39, GetNumberOfFields,  int,         (QV_SELF, const mxArray*),                      mx,  int,          mxGetNumberOfFields, (const mxArray* pa), (pa)) \
    X(40, GetScalar,          double,      (QV_SELF, const mxArray*),                      mx,  double,       mxGetScalar,       (const mxArray* pa), (pa)) \
    X(41, DuplicateArray,     mxArray*,    (QV_SELF, const mxArray*),                      mx,  mxArray*,     mxDuplicateArray,  (const mxArray* pa), (pa)) \
    X(42, CreateCellMatrix,   mxArray*,    (QV_SELF, size_t, size_t),                      mx,  mxArray*,     mxCreateCellMatrix_730, (size_t m, size_t n), (m, n)) \
    X(43, SetCell,            void,        (QV_SELF, mxArray*, size_t, mxArray*),          mx,  void,         mxSetCell_730,     (mxArray* pa, size_t i, mxArray* value), (pa, i, value)) \
    X(44, CreateCharMatrixFromStrings, mxArray*, (QV_SELF, size_t, const char**),          mx,  mxArray*,     mxCreateCharMatrixFromStrings_730, (size_t m, const char** str), (m, str)) \
    X(45, CreateCellArray,    mxArray*,    (QV_SELF, size_t, const size_t*),               mx,  mxArray*,     mxCreateCellArray_730, (size_t ndim, const size_t* dims), (ndim, dims)) \
    X(46, ArrayToString,      char*,       (QV_SELF, const mxArray*),                      mx,  char*,        mxArrayToString,   (const mxArray* pa), (pa)) \
    X(47, CreateStructArray,  mxArray*,    (QV_SELF, size_t, const size_t*, int, const char**), mx, mxArray*, mxCreateStructArray_730, (size_t ndim, const size_t* dims, int nfields, const char** fieldnames), (ndim, dims, nfields, fieldnames)) \
    X(48, AddField,           int,         (QV_SELF, mxArray*, const char*),               mx,  int,          mxAddField,        (mxArray* pa, const char* fieldname), (pa, fieldname)) \
    X(49, CalcSingleSubscript, size_t,     (QV_SELF, const mxArray*, size_t, const size_t*), mx, size_t,      mxCalcSingleSubscript_730, (const mxArray* pa, size_t nsubs, const size_t* subs), (pa, nsubs, subs)) \
    X(50, MexAtExit,          int,         (QV_SELF, void (*)(void)),                      mex, int,          mexAtExit,         (void (*exit_fcn)(void)), (exit_fcn)) \
    X(51, MexErrMsgTxt,       void,        (QV_SELF, const char*),                         mex, void,         mexErrMsgTxt,      (const char* error_msg), (error_msg)) \
    X(52, MexWarnMsgTxt,      void,        (QV_SELF, const char*),                         mex, void,         mexWarnMsgTxt,     (const char* warning_msg), (warning_msg)) \
    X(53, MexPrintf,          int,         (QV_SELF, const char*),                         mex, int,          mexPrintf,         (const char* fmt, ...), (fmt)) \
    X(54, MexCallMATLAB,      int,         (QV_SELF, int, mxArray**, int, mxArray**, const char*), mex, int,  mexCallMATLABWithObject, (int nlhs, mxArray** plhs, int nrhs, mxArray** prhs, const char* fcn_name), (nlhs, plhs, nrhs, prhs, fcn_name)) \
    X(55, MexCallMATLABWithTrap, mxArray*, (QV_SELF, int, mxArray**, int, mxArray**, const char*), mex, mxArray*, mexCallMATLABWithTrapWithObject, (int nlhs, mxArray** plhs, int nrhs, mxArray** prhs, const char* fcn_name), (nlhs, plhs, nrhs, prhs, fcn_name)) \
    X(56, MexEvalString,      int,         (QV_SELF, const char*),                         mex, int,          mexEvalString,     (const char* str), (str)) \
    X(57, MexPutVariable,     int,         (QV_SELF, const char*, const char*, const mxArray*), mex, int,     mexPutVariable,    (const char* workspace, const char* name, const mxArray* pm), (workspace, name, pm)) \
    X(58, MexFunctionName,    const char*, (QV_SELF),                                      mex, const char*,  mexFunctionName,   (void), ()) \
    X(59, MexLock,            void,        (QV_SELF),                                      mex, void,         mexLock,           (void), ())

#define QV_MATLAB_LEGACY_MEX_FUNCTIONS(X) \
    X(mex, int,  mexCallMATLAB,  (int nlhs, mxArray** plhs, int nrhs, mxArray** prhs, const char* fcn_name), (nlhs, plhs, nrhs, prhs, fcn_name)) \
    X(mex, void, mexSetTrapFlag, (int trapflag), (trapflag))
/* clang-format on */

#endif /* QV_MATLAB_API_SLOTS_H */
