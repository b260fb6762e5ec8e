#pragma once
// The connector component category and the interface its classes implement. Shared by the
// program and by any component that stands in for a connector.
#include <objbase.h>
#include <oleauto.h>

namespace qv {

// {19514DBF-6672-4B01-A85A-5332956292B4}
inline constexpr GUID CATID_QvConnectors = {
    0x19514DBF, 0x6672, 0x4B01, {0xA8, 0x5A, 0x53, 0x32, 0x95, 0x62, 0x92, 0xB4}};
// {E5780758-2B50-4AC1-8925-B41440AFB4AB}
inline constexpr GUID IID_IQvConnectorInfo = {
    0xE5780758, 0x2B50, 0x4AC1, {0x89, 0x25, 0xB4, 0x14, 0x40, 0xAF, 0xB4, 0xAB}};

// Slots 4 and 5 after IUnknown. platform: 0 = 32-bit, 1 = 64-bit. The caller frees every
// string it gets back with SysFreeString.
struct IQvConnectorInfo : public IUnknown {
    // matlabRelease: the MATLAB release served on `platform`, written with "_" for ".".
    virtual HRESULT STDMETHODCALLTYPE GetVersionInfo(LONG platform, BSTR* matlabRelease, BSTR* description,
                                                     BSTR* detail) = 0;
    // S_OK: the connector is usable on `platform`.
    virtual HRESULT STDMETHODCALLTYPE CheckPlatform(LONG platform, BSTR* reason, SHORT* state, SHORT* detail) = 0;
};

}  // namespace qv
