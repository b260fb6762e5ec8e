/* Text to standard output for the Microsoft-ABI hosts, which have no C runtime. */
#ifndef QV_MICROSOFT_ABI_OUTPUT_H
#define QV_MICROSOFT_ABI_OUTPUT_H

#include "kernel32.h"

static void QvPrint(const char* text)
{
    unsigned long length = 0;
    unsigned long written = 0;
    while (text[length] != '\0') {
        ++length;
    }
    WriteFile(GetStdHandle(QV_STD_OUTPUT_HANDLE), text, length, &written, 0);
}

static void QvPrintNumber(unsigned value)
{
    char digits[12];
    char* first = digits + sizeof digits - 1;
    *first = '\0';
    do {
        *--first = (char)('0' + value % 10);
        value /= 10;
    } while (value != 0);
    QvPrint(first);
}

#endif /* QV_MICROSOFT_ABI_OUTPUT_H */
