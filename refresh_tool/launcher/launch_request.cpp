#include "launcher/launch_request.h"

namespace qv {

std::wstring MatlabExecutablePath(const std::wstring& matlabRoot)
{
    return matlabRoot + L"\\bin\\matlab.exe";
}

std::wstring QuoteForMatlabCharLiteral(const std::wstring& text)
{
    std::wstring quoted;
    quoted.reserve(text.size());
    for (const wchar_t c : text) {
        quoted += c;
        if (c == L'\'') {
            quoted += c;
        }
    }
    return quoted;
}

std::wstring BuildRefreshCommandLine(Platform platform, const std::wstring& connectorLocation,
                                     const std::wstring& orxMatlabFolder)
{
    const std::wstring connector = QuoteForMatlabCharLiteral(connectorLocation);
    const wchar_t* const tagPiece =
        platform == Platform::Bits64 ? L"', 'orxpath64', '" : L"', 'orxpath32', '";
    return L"matlab.exe -automation -wait -r \"path( '" + connector + L"', path); orxRefresh('" + connector +
           tagPiece + QuoteForMatlabCharLiteral(orxMatlabFolder) + L"');quit force;\"";
}

LaunchRequest BuildRefreshRequest(Platform platform, const std::wstring& matlabRoot,
                                  const std::wstring& connectorLocation, const std::wstring& orxMatlabFolder)
{
    return LaunchRequest{MatlabExecutablePath(matlabRoot),
                         BuildRefreshCommandLine(platform, connectorLocation, orxMatlabFolder),
                         matlabRoot + L"\\bin"};
}

LaunchRequest BuildNewUserSetupRequest(const std::wstring& programFolder)
{
    return LaunchRequest{programFolder + L"\\QvNewUserSetup.exe", L"QvNewUserSetup.exe force", programFolder};
}

std::wstring MatlabMissingMessage(const std::wstring& matlabRoot)
{
    return L"Could not find the matlab.exe at " + MatlabExecutablePath(matlabRoot);
}

}  // namespace qv
