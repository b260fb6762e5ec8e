#ifndef QV_TEST_C_TABLE_CALLS_H
#define QV_TEST_C_TABLE_CALLS_H
/* Calls made from C code through the C table (c_table_calls.c). */
#include "QvMatlabAPI_Interface.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct QvFromCResults {
    size_t rows;      /* GetM */
    mxArray* matrix;  /* CreateDoubleMatrix(2^33 + 1, 3, 1) */
    int visible;      /* EngSetVisible(engine, true) */
    int isNaN;        /* IsNaN(NAN) */
    double scalar;    /* GetScalar */
    mxArray* cell;    /* GetCell(cells, -1) */
    const char* name; /* MexFunctionName */
} QvFromCResults;

/* One call of each kind of value from C; the arrays and engine are made-up addresses. */
void qvCallEachKindFromC(IQvMatlabAPI_Interface* api, QvFromCResults* results);

typedef struct QvSpiedTrap {
    mxArray* result;
    int createStringCalls; /* calls that went through slot 14 of the table */
    char createStringText[64];
} QvSpiedTrap;

/* MexCallMATLABWithTrap (slot 55) through a copy of the object's table whose slot 14
   (CreateString) is a spy that records and then calls the real entry. */
QvSpiedTrap qvTrapWithSpiedCreateString(IQvMatlabAPI_Interface* api, const char* functionName);

#ifdef __cplusplus
}
#endif

#endif /* QV_TEST_C_TABLE_CALLS_H */
