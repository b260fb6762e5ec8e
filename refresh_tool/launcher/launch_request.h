#pragma once
// What the worker needs to start one process, and the two kinds of request the program makes.
#include "common/platform.h"

#include <cstddef>
#include <string>

namespace qv {

// Filled completely by the caller before the worker starts; the worker only reads it.
struct LaunchRequest {
    std::wstring application;  // full path of the executable, passed as the application name
    std::wstring commandLine;  // the whole command line, program name first
    std::wstring directory;    // working directory of the new process
};

// R + "\bin\matlab.exe": paths are joined by plain concatenation, nothing is normalised.
std::wstring MatlabExecutablePath(const std::wstring& matlabRoot);

// A text placed inside a MATLAB char literal: each single quote is written twice, so the
// literal holds exactly the text and a quote in a folder name cannot end it early.
std::wstring QuoteForMatlabCharLiteral(const std::wstring& text);

// A MATLAB expression whose value is exactly `text`, written in ASCII alone: the char literal
// '...' with single quotes doubled when the text is printable ASCII; otherwise a bracketed
// concatenation of such literals, of native2unicode(uint8([...]),'UTF-8') for each run of
// non-ASCII characters (the run's UTF-8 bytes), and of char(N) for a character that one quoted
// argument of matlab.exe cannot carry (a double quote ends the argument, a control character
// breaks the statement) or that has no UTF-8 form (an unpaired surrogate; MATLAB's char is one
// UTF-16 unit, so char(N) carries it exactly): ['C:\a' char(34) 'b'].
// MATLAB before 9.8 reads the statement in the system's ANSI code page, where a literal
// non-ASCII character may turn into '?'; ASCII reaches it unchanged.
std::wstring MatlabCharExpression(const std::wstring& text);

// matlab.exe -automation -wait -r "try, path( {C}, path); orxRefresh({C}, '{T}', {F});catch, end;quit force;"
// with {C} and {F} as MatlabCharExpression gives them and T = orxpath32 / orxpath64 by platform.
// The try/catch lets "quit force;" run whatever path or orxRefresh does: a MATLAB started with
// -automation has no window, so one that does not quit would never end.
std::wstring BuildRefreshCommandLine(Platform platform, const std::wstring& connectorLocation,
                                     const std::wstring& orxMatlabFolder);

LaunchRequest BuildRefreshRequest(Platform platform, const std::wstring& matlabRoot,
                                  const std::wstring& connectorLocation, const std::wstring& orxMatlabFolder);

// B + "\QvNewUserSetup.exe", "QvNewUserSetup.exe force", working directory B.
LaunchRequest BuildNewUserSetupRequest(const std::wstring& programFolder);

// Whether the application and the working directory of the request built from a root or a
// program folder are absolute with the drive or share that it names (IsAbsoluteJoin). Any
// other would resolve against our own current directory or drive, or be a network path that
// only the join made: root "C:" passes (C:\bin\matlab.exe in C:\bin); roots "", "\", "\M",
// "C:M" do not, nor program folder "C:" (working directory "C:" is drive C's current folder).
bool RefreshRequestPathsAreAbsolute(const std::wstring& matlabRoot);
bool NewUserSetupRequestPathsAreAbsolute(const std::wstring& programFolder);

// The longest command line CreateProcessW takes: 32,767 characters with the terminating NUL.
inline constexpr std::size_t kLongestCommandLine = 32766;

// Whether the request's command line is short enough to be started. Windows refuses a longer
// one, and Wine starts the process with the line cut short; neither may happen.
bool CommandLineFits(const LaunchRequest& request);

// "Could not start " + application + ": its command line has " + N + " characters, more than
// Windows takes (32766).\n"
std::wstring CommandLineTooLongMessage(const LaunchRequest& request);

// "Could not find the matlab.exe at " + R + "\bin\matlab.exe"
std::wstring MatlabMissingMessage(const std::wstring& matlabRoot);

}  // namespace qv
