/*
 * The gateway of an Octave MEX file that holds one adapter build. It is the adapter's host: it
 * gets the object from GetMatlabAPI and makes every mx and mex call through the object's raw
 * table of function pointers, as a host built by another compiler does, never through
 * Octave's functions. check_adapter_mex.m calls it with a command name and checks the arrays
 * it returns as values.
 *
 *   out = qv_adapter_<release>(command, inputs...)
 */
#include "QvMatlabAPI_Interface_C.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

/* Octave's own trap flag switch: only the "trap_from_on" command calls it, to set the flag
   the way a host may before it calls slot 55. */
void mexSetTrapFlag(int flag);

static IQvMatlabAPI_Interface* g_api;
static int g_atExitStatus = -1;

#define API (g_api->lpVtbl)

/* Registered through slot 50 on the first call: the MEX is being cleared. */
static void AtExit(void)
{
    TerminateMatlabAPI(g_api);
    g_api = NULL;
    setenv("QV_OCTAVE_AT_EXIT", "ran", 1);
}

static mxArray* Scalar(double value)
{
    return API->CreateDoubleScalar(g_api, value);
}

/* A row of doubles made through the slots. */
static mxArray* Row(const double* values, size_t count)
{
    mxArray* const row = API->CreateDoubleMatrix(g_api, 1, count, 0);
    memcpy(API->GetPr(g_api, row), values, count * sizeof(double));
    return row;
}

static mxArray* Arrays(void)
{
    /* 2x3 real, filled column by column; 1x2 complex. */
    mxArray* const matrix = API->CreateDoubleMatrix(g_api, 2, 3, 0);
    mxArray* const complex = API->CreateDoubleMatrix(g_api, 1, 2, 1);
    const char* rows[] = {"ab", "cde"};
    const int charDims[] = {1, 5};
    const int cubeDims[] = {2, 3, 4};
    int manyDims[40];
    const char* names[] = {"alpha", "beta"};
    const size_t structDims[] = {2, 2};
    const size_t cellDims[] = {1, 2, 2};
    mxArray* const results = API->CreateCellMatrix(g_api, 1, 11);
    double* values = API->GetPr(g_api, matrix);
    int i;
    for (i = 0; i < 6; ++i) {
        values[i] = i + 1;
    }
    API->GetPr(g_api, complex)[0] = 1;
    API->GetPr(g_api, complex)[1] = 2;
    API->GetPi(g_api, complex)[0] = 3;
    API->GetPi(g_api, complex)[1] = 4;
    for (i = 0; i < 39; ++i) {
        manyDims[i] = 1;
    }
    manyDims[39] = 2;
    API->SetCell(g_api, results, 0, matrix);
    API->SetCell(g_api, results, 1, complex);
    API->SetCell(g_api, results, 2, Scalar(2.5));
    API->SetCell(g_api, results, 3, API->CreateString(g_api, "hello"));
    API->SetCell(g_api, results, 4, API->CreateCharArray(g_api, 2, charDims));
    API->SetCell(g_api, results, 5, API->CreateCharArray(g_api, 3, cubeDims));
    API->SetCell(g_api, results, 6, API->CreateCharArray(g_api, 40, manyDims));
    API->SetCell(g_api, results, 7, API->CreateCharMatrixFromStrings(g_api, 2, rows));
    API->SetCell(g_api, results, 8, API->CreateStructMatrix(g_api, 1, 3, 2, names));
    API->SetCell(g_api, results, 9, API->CreateStructArray(g_api, 2, structDims, 1, names));
    API->SetCell(g_api, results, 10, API->CreateCellArray(g_api, 3, cellDims));
    return results;
}

/* A struct filled by name and by number, a field added, and what the slots read back. */
static mxArray* Structs(void)
{
    const char* names[] = {"a", "b"};
    mxArray* const s = API->CreateStructMatrix(g_api, 1, 2, 2, names);
    mxArray* const results = API->CreateCellMatrix(g_api, 1, 6);
    int added;
    API->SetField(g_api, s, 0, "a", Scalar(1));
    API->SetFieldByNumber(g_api, s, 1, 1, API->CreateString(g_api, "z"));
    added = API->AddField(g_api, s, "c");
    API->SetFieldByNumber(g_api, s, 1, added, Scalar(3));
    API->SetCell(g_api, results, 1, Scalar(added));
    API->SetCell(g_api, results, 2, Scalar(API->GetNumberOfFields(g_api, s)));
    API->SetCell(g_api, results, 3, API->CreateString(g_api, API->GetFieldNameByNumber(g_api, s, added)));
    /* What a struct holds stays the struct's: hand out copies. */
    API->SetCell(g_api, results, 4, API->DuplicateArray(g_api, API->GetField(g_api, s, 0, "a")));
    API->SetCell(g_api, results, 5, API->DuplicateArray(g_api, API->GetFieldByNumber(g_api, s, 1, 1)));
    API->SetCell(g_api, results, 0, s);
    return results;
}

/* A cell filled with SetCell, and its element 1 read back with GetCell (32-bit index). */
static mxArray* Cells(const mxArray* element)
{
    mxArray* const cell = API->CreateCellMatrix(g_api, 1, 2);
    mxArray* const results = API->CreateCellMatrix(g_api, 1, 2);
    API->SetCell(g_api, cell, 0, API->CreateString(g_api, "first"));
    API->SetCell(g_api, cell, 1, API->DuplicateArray(g_api, element));
    API->SetCell(g_api, results, 1, API->DuplicateArray(g_api, API->GetCell(g_api, cell, 1)));
    API->SetCell(g_api, results, 0, cell);
    return results;
}

/* What the readers and predicates say of an array: m, n, numel, the six array predicates. */
static mxArray* Inspect(const mxArray* array)
{
    const double values[] = {
        (double)API->GetM(g_api, array),
        (double)API->GetN(g_api, array),
        (double)API->GetNumberOfElements(g_api, array),
        API->IsDouble(g_api, array),
        API->IsCell(g_api, array),
        API->IsNumeric(g_api, array),
        API->IsComplex(g_api, array),
        API->IsChar(g_api, array),
        API->IsStruct(g_api, array),
    };
    return Row(values, sizeof values / sizeof values[0]);
}

/* IsFinite and IsNaN of a scalar's value, read with GetScalar. */
static mxArray* Classify(const mxArray* array)
{
    const double value = API->GetScalar(g_api, array);
    const double values[] = {API->IsFinite(g_api, value), API->IsNaN(g_api, value)};
    return Row(values, 2);
}

/* GetString into a buffer of the given length: {status, the buffer's text}. */
static mxArray* GetString(const mxArray* array, const mxArray* length)
{
    char buffer[256];
    const size_t size = (size_t)API->GetScalar(g_api, length);
    mxArray* const results = API->CreateCellMatrix(g_api, 1, 2);
    memset(buffer, 'X', sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    API->SetCell(g_api, results, 0, Scalar(API->GetString(g_api, array, buffer, size)));
    API->SetCell(g_api, results, 1, API->CreateString(g_api, buffer));
    return results;
}

/* The 0-based linear index of 0-based subscripts. */
static mxArray* Subscript(const mxArray* array, const mxArray* subscripts)
{
    size_t subs[8];
    const size_t count = API->GetNumberOfElements(g_api, subscripts);
    const double* const given = API->GetPr(g_api, subscripts);
    size_t i;
    for (i = 0; i < count && i < 8; ++i) {
        subs[i] = (size_t)given[i];
    }
    return Scalar((double)API->CalcSingleSubscript(g_api, array, count, subs));
}

/* Slot 54 with one input and one output: {status, output}. */
static mxArray* Call(const char* function, const mxArray* input)
{
    mxArray* inputs[1];
    mxArray* outputs[1] = {NULL};
    mxArray* const results = API->CreateCellMatrix(g_api, 1, 2);
    int status;
    inputs[0] = (mxArray*)input;
    status = API->MexCallMATLAB(g_api, 1, outputs, 1, inputs, function);
    API->SetCell(g_api, results, 0, Scalar(status));
    if (outputs[0] != NULL) {
        API->SetCell(g_api, results, 1, outputs[0]);
    }
    return results;
}

/* Slot 55 with one input and one output: {is the result null, the result or [], output}. */
static mxArray* Trap(const char* function, const mxArray* input)
{
    mxArray* inputs[1];
    mxArray* outputs[1] = {NULL};
    mxArray* const results = API->CreateCellMatrix(g_api, 1, 3);
    mxArray* error;
    inputs[0] = (mxArray*)input;
    error = API->MexCallMATLABWithTrap(g_api, 1, outputs, 1, inputs, function);
    API->SetCell(g_api, results, 0, Scalar(error == NULL));
    if (error != NULL) {
        API->SetCell(g_api, results, 1, error);
    }
    if (outputs[0] != NULL) {
        API->SetCell(g_api, results, 2, outputs[0]);
    }
    return results;
}

/* A failing call through slot 55, then the same through slot 54: with the trap flag off
   the second raises Octave's error, with it on it returns its status. */
static mxArray* TrapThenCall(const char* function, const mxArray* input, int flagBefore)
{
    mxArray* inputs[1];
    mxArray* error;
    if (flagBefore) {
        mexSetTrapFlag(1);
    }
    inputs[0] = (mxArray*)input;
    error = API->MexCallMATLABWithTrap(g_api, 0, NULL, 1, inputs, function);
    if (error != NULL) {
        API->DestroyArray(g_api, error);
    }
    return Scalar(API->MexCallMATLAB(g_api, 0, NULL, 1, inputs, function));
}

static int Is(const char* command, const char* name)
{
    return strcmp(command, name) == 0;
}

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    char* command;
    char* text = NULL;
    mxArray* result = NULL;
    (void)nlhs;
    if (g_api == NULL) {
        g_api = GetMatlabAPI();
        g_atExitStatus = API->MexAtExit(g_api, AtExit);
    }
    if (nrhs < 1) {
        API->MexErrMsgTxt(g_api, "usage: out = qv_adapter_<release>(command, inputs...)");
    }
    command = API->ArrayToString(g_api, prhs[0]);
    if (nrhs >= 2 && API->IsChar(g_api, prhs[1])) {
        text = API->ArrayToString(g_api, prhs[1]);
    }

    if (Is(command, "arrays")) {
        result = Arrays();
    } else if (Is(command, "structs")) {
        result = Structs();
    } else if (Is(command, "cells") && nrhs >= 2) {
        result = Cells(prhs[1]);
    } else if (Is(command, "duplicate") && nrhs >= 2) {
        result = API->DuplicateArray(g_api, prhs[1]);
    } else if (Is(command, "destroy")) {
        /* A made array destroyed again: Octave must not see it later. */
        API->DestroyArray(g_api, API->CreateString(g_api, "short-lived"));
        result = Scalar(1);
    } else if (Is(command, "inspect") && nrhs >= 2) {
        result = Inspect(prhs[1]);
    } else if (Is(command, "classify") && nrhs >= 2) {
        result = Classify(prhs[1]);
    } else if (Is(command, "data") && nrhs >= 2) {
        /* GetData of a double array is its real part. */
        result = Scalar(*(const double*)API->GetData(g_api, prhs[1]));
    } else if (Is(command, "get_string") && nrhs >= 3) {
        result = GetString(prhs[1], prhs[2]);
    } else if (Is(command, "array_to_string") && text != NULL) {
        result = API->CreateString(g_api, text);
    } else if (Is(command, "subscript") && nrhs >= 3) {
        result = Subscript(prhs[1], prhs[2]);
    } else if (Is(command, "call") && text != NULL && nrhs >= 3) {
        result = Call(text, prhs[2]);
    } else if (Is(command, "trap") && text != NULL && nrhs >= 3) {
        result = Trap(text, prhs[2]);
    } else if ((Is(command, "trap_then_call") || Is(command, "trap_from_on")) && text != NULL && nrhs >= 3) {
        result = TrapThenCall(text, prhs[2], Is(command, "trap_from_on"));
    } else if (Is(command, "eval") && text != NULL) {
        result = Scalar(API->MexEvalString(g_api, text));
    } else if (Is(command, "put") && text != NULL && nrhs >= 4) {
        char* const name = API->ArrayToString(g_api, prhs[2]);
        result = Scalar(API->MexPutVariable(g_api, text, name, prhs[3]));
    } else if (Is(command, "printf") && text != NULL) {
        result = Scalar(API->MexPrintf(g_api, text));
    } else if (Is(command, "warn") && text != NULL) {
        API->MexWarnMsgTxt(g_api, text);
        result = Scalar(1);
    } else if (Is(command, "error") && text != NULL) {
        API->MexErrMsgTxt(g_api, text);
        result = API->CreateString(g_api, "MexErrMsgTxt returned");
    } else if (Is(command, "at_exit_status")) {
        result = Scalar(g_atExitStatus);
    } else if (Is(command, "lock")) {
        API->MexLock(g_api);
        result = Scalar(1);
    } else if (Is(command, "name")) {
        result = API->CreateString(g_api, API->MexFunctionName(g_api));
    } else {
        API->MexErrMsgTxt(g_api, "unknown command or missing inputs");
    }
    plhs[0] = result;
}
