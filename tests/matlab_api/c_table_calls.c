/* A C host's view of an adapter object: IQvMatlabAPI_Interface_C.h compiles as C and its
   table reaches the C++ object's operations. */
#include "c_table_calls.h"

#include "QvMatlabAPI_Interface_C.h"

#include <math.h>
#include <stdint.h>
#include <string.h>

static void ExitFunction(void) {}

void qvCallEachKindFromC(IQvMatlabAPI_Interface* api, QvFromCResults* results)
{
    mxArray* const array = (mxArray*)(uintptr_t)0xA11A;
    Engine* const engine = (Engine*)(uintptr_t)0xE9;
    results->rows = api->lpVtbl->GetM(api, array);
    results->matrix = api->lpVtbl->CreateDoubleMatrix(api, ((size_t)1 << 33) + 1, 3, 1);
    results->visible = api->lpVtbl->EngSetVisible(api, engine, true);
    results->isNaN = api->lpVtbl->IsNaN(api, NAN);
    results->scalar = api->lpVtbl->GetScalar(api, array);
    results->cell = api->lpVtbl->GetCell(api, array, -1);
    api->lpVtbl->MexAtExit(api, ExitFunction);
    results->name = api->lpVtbl->MexFunctionName(api);
    api->lpVtbl->MexLock(api);
}

static const IQvMatlabAPI_InterfaceVtbl* g_realTable;
static QvSpiedTrap g_spied;

static mxArray* SpyCreateString(IQvMatlabAPI_Interface* api, const char* text)
{
    ++g_spied.createStringCalls;
    strncpy(g_spied.createStringText, text != NULL ? text : "", sizeof g_spied.createStringText - 1);
    return g_realTable->CreateString(api, text);
}

QvSpiedTrap qvTrapWithSpiedCreateString(IQvMatlabAPI_Interface* api, const char* functionName)
{
    /* GCC's C++ runtime keeps two words before the table (offset to the object's start and its
       type information) and the sanitizer's type checks read them: copy them along. */
    struct {
        const void* prefix[2];
        IQvMatlabAPI_InterfaceVtbl table;
    } copy;
    mxArray* outputs[1] = {NULL};
    memset(&g_spied, 0, sizeof g_spied);
    g_realTable = api->lpVtbl;
    memcpy(&copy, (const char*)g_realTable - sizeof copy.prefix, sizeof copy);
    copy.table.CreateString = SpyCreateString;

    api->lpVtbl = &copy.table;
    g_spied.result = api->lpVtbl->MexCallMATLABWithTrap(api, 1, outputs, 0, NULL, functionName);
    api->lpVtbl = g_realTable;
    return g_spied;
}
