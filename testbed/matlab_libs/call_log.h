#ifndef QV_TESTBED_CALL_LOG_H
#define QV_TESTBED_CALL_LOG_H
/*
 * The record of every call that reached the stand-in MATLAB libraries, and the results the
 * test chose for them. One shared library, used by the four stand-ins and by the tests, so
 * that all of them see one log. Plain C and plain data: it crosses DLL boundaries.
 */
#include <stdint.h>

#if defined(_WIN32)
#if defined(QV_CALL_LOG_BUILDING)
#define QV_CALL_LOG_API __declspec(dllexport)
#else
#define QV_CALL_LOG_API __declspec(dllimport)
#endif
#else
#define QV_CALL_LOG_API __attribute__((visibility("default")))
#endif

#define QV_CALL_LOG_MAX_ARGUMENTS 6
#define QV_CALL_LOG_MAX_DIMENSIONS 8
#define QV_CALL_LOG_TEXT_SIZE 64

typedef struct QvRecordedCall {
    char function[48];
    int argumentCount;
    /* Each argument as 64 bits: pointers as addresses, integers widened by their own type
       (int sign-extended), bool as 0/1, double as its bit pattern. */
    uint64_t arguments[QV_CALL_LOG_MAX_ARGUMENTS];
    /* The first text (const char*) argument, copied while the call runs. */
    int hasText;
    char text[QV_CALL_LOG_TEXT_SIZE];
    /* mxCreateCharArray_730: the dimensions it was given, copied while the call runs. */
    int dimensionCount;
    uint64_t dimensions[QV_CALL_LOG_MAX_DIMENSIONS];
} QvRecordedCall;

#ifdef __cplusplus
extern "C" {
#endif

/* Forgets every call and chosen result, switches MATLAB's trap flag off and recording on. */
QV_CALL_LOG_API void qvCallLogReset(void);
/* With recording off the stand-ins only return 0 (for timing the call itself). */
QV_CALL_LOG_API void qvCallLogSetRecording(int on);
QV_CALL_LOG_API int qvCallLogRecording(void);

QV_CALL_LOG_API void qvCallLogAdd(const QvRecordedCall* call);
QV_CALL_LOG_API int qvCallLogCount(void);
/* Copies call number index (0 = first) into *call; returns 0 when there is no such call. */
QV_CALL_LOG_API int qvCallLogGet(int index, QvRecordedCall* call);

/* What the stand-in named function returns from now on, as 64 bits (see arguments). */
QV_CALL_LOG_API void qvCallLogSetResult(const char* function, uint64_t bits);
QV_CALL_LOG_API uint64_t qvCallLogResult(const char* function);

/* MATLAB's trap flag as mexSetTrapFlag last set it. */
QV_CALL_LOG_API void qvCallLogSetTrapFlag(int on);
QV_CALL_LOG_API int qvCallLogTrapFlag(void);

#ifdef __cplusplus
}
#endif

#endif /* QV_TESTBED_CALL_LOG_H */
