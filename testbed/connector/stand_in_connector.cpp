// QvStandInConnector.dll: an in-process COM server whose classes implement IQvConnectorInfo.
// Each class answers as its registered behaviour says (stand_in_registration.h). The DLL also
// exports counters that tests in the same process read to check the caller's manners.
#include "discovery/win32/qv_connector_info.h"
#include "queue_abuse.h"
#include "stand_in_registration.h"

#include <olectl.h>

#include <atomic>
#include <new>

namespace {

using qv::testbed::StandInConnector;
using qv::testbed::StandInPlatform;

std::atomic<long> g_liveObjects{0};
std::atomic<long> g_serverLocks{0};
// Calls whose out-parameters were not null / zero on entry.
std::atomic<long> g_dirtyOutParameters{0};

BSTR AllocText(const wchar_t* text)
{
    return ::SysAllocString(text);
}

const StandInPlatform* PlatformOf(const StandInConnector& behaviour, LONG platform)
{
    switch (platform) {
    case 0:
        return &behaviour.bits32;
    case 1:
        return &behaviour.bits64;
    default:
        return nullptr;
    }
}

class StandInConnectorObject final : public qv::IQvConnectorInfo {
public:
    explicit StandInConnectorObject(StandInConnector behaviour) : behaviour_(std::move(behaviour)) { ++g_liveObjects; }
    ~StandInConnectorObject() { --g_liveObjects; }
    StandInConnectorObject(const StandInConnectorObject&) = delete;
    StandInConnectorObject& operator=(const StandInConnectorObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, qv::IID_IQvConnectorInfo)) {
            *object = static_cast<qv::IQvConnectorInfo*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetVersionInfo(LONG platform, BSTR* matlabRelease, BSTR* description,
                                             BSTR* detail) override
    {
        if (matlabRelease == nullptr || description == nullptr || detail == nullptr) {
            return E_POINTER;
        }
        if (*matlabRelease != nullptr || *description != nullptr || *detail != nullptr) {
            ++g_dirtyOutParameters;
        }
        const StandInPlatform* answer = PlatformOf(behaviour_, platform);
        if (answer == nullptr) {
            return E_INVALIDARG;
        }
        // The strings are handed out whatever the result, so that a caller that frees them
        // only on success leaks.
        // The version goes out with its full length, so that an embedded NUL reaches the caller.
        *matlabRelease = answer->version
                             ? ::SysAllocStringLen(answer->version->data(), static_cast<UINT>(answer->version->size()))
                             : nullptr;
        *description = AllocText(L"Stand-in connector");
        *detail = AllocText(platform == 0 ? L"32-bit" : L"64-bit");
        return answer->versionResult;
    }

    HRESULT STDMETHODCALLTYPE CheckPlatform(LONG platform, BSTR* reason, SHORT* state, SHORT* detail) override
    {
        if (reason == nullptr || state == nullptr || detail == nullptr) {
            return E_POINTER;
        }
        if (*reason != nullptr || *state != 0 || *detail != 0) {
            ++g_dirtyOutParameters;
        }
        const StandInPlatform* answer = PlatformOf(behaviour_, platform);
        if (answer == nullptr) {
            return E_INVALIDARG;
        }
        *reason = AllocText(answer->checkResult == S_OK ? L"available" : L"not available");
        *state = answer->checkResult == S_OK ? 1 : 0;
        *detail = 0;
        return answer->checkResult;
    }

private:
    std::atomic<ULONG> references_{1};
    StandInConnector behaviour_;
};

class StandInFactory final : public IClassFactory {
public:
    explicit StandInFactory(const CLSID& classId) : classId_(classId) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override
    {
        ++g_serverLocks;
        return ++references_;
    }
    ULONG STDMETHODCALLTYPE Release() override
    {
        --g_serverLocks;
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (object == nullptr) {
            return E_POINTER;
        }
        *object = nullptr;
        if (outer != nullptr) {
            return CLASS_E_NOAGGREGATION;
        }
        StandInConnector behaviour = qv::testbed::ReadStandInBehaviour(classId_);
        if (FAILED(behaviour.createResult)) {
            return behaviour.createResult;
        }
        if (behaviour.postsQuit) {
            ::PostQuitMessage(0);
        }
        ::Sleep(behaviour.createDelayMs);
        qv::testbed::StartQueueAbuse(behaviour.onProcessStart);
        auto* created = new (std::nothrow) StandInConnectorObject(std::move(behaviour));
        if (created == nullptr) {
            return E_OUTOFMEMORY;
        }
        const HRESULT result = created->QueryInterface(iid, object);
        created->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        lock ? ++g_serverLocks : --g_serverLocks;
        return S_OK;
    }

private:
    std::atomic<ULONG> references_{0};
    CLSID classId_;
};

// The class DllRegisterServer registers: number 0, serving MATLAB 9.4 on both platforms.
StandInConnector DefaultConnector()
{
    StandInConnector connector;
    connector.classId = qv::testbed::StandInClassId(0);
    connector.bits32.version = L"9_4";
    connector.bits64.version = L"9_4";
    return connector;
}

HMODULE g_module = nullptr;

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(g_module, path, MAX_PATH);
    return std::wstring(path, length);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        ::DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    auto* factory = new (std::nothrow) StandInFactory(classId);
    if (factory == nullptr) {
        return E_OUTOFMEMORY;
    }
    factory->AddRef();
    const HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

STDAPI DllCanUnloadNow()
{
    return g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    return qv::testbed::RegisterStandInConnector(DefaultConnector(), ModulePath()) ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer()
{
    return qv::testbed::UnregisterStandInConnector(DefaultConnector().classId) ? S_OK : SELFREG_E_CLASS;
}

// Test hooks, read by tests that load this DLL through COM in their own process.
long WINAPI QvStandInLiveObjects()
{
    return g_liveObjects;
}

long WINAPI QvStandInDirtyOutParameters()
{
    return g_dirtyOutParameters;
}

}  // extern "C"
