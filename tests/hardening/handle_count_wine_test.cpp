// Discovery and a ten-root refresh through the real bindings, in this process, hold no more
// handles at the end than at the start. Each is done once first, so that what Windows opens
// once per process (COM's and the loader's own handles, the category manager's caches) is
// already open when counting starts; then further rounds must not add a single handle.
#include "discovery/win32/com_connector_source.h"
#include "discovery/connector_discovery.h"
#include "discovery/connector_location.h"
#include "discovery/matlab_installations.h"
#include "discovery/product_installation.h"
#include "shared/fakes.h"
#include "discovery/win32/registry.h"
#include "launcher/matlab_runner.h"
#include "launcher/standin_sandbox.h"
#include "discovery/user_setups.h"
#include "launcher/win32/process_launcher.h"
#include "run/sandbox_run.h"
#include "common/win32/unique_handle.h"

#include <objbase.h>

#include <cstdint>

namespace qv::e2e {
namespace {

constexpr int kRounds = 3;

// The handles this process holds. Wine's GetProcessHandleCount answers 0; there the handle
// table is probed instead. Wine hands out the lowest free slot, so the table is dense and a
// long run of free slots after the last one in use ends it.
DWORD OpenHandles()
{
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count != 0) {
        return count;
    }
    constexpr std::uintptr_t kStep = 4;
    constexpr std::uintptr_t kFreeRunToStop = 1024;
    std::uintptr_t freeRun = 0;
    for (std::uintptr_t value = kStep; freeRun < kFreeRunToStop; value += kStep) {
        DWORD flags = 0;
        if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++count;
            freeRun = 0;
        } else {
            ++freeRun;
        }
    }
    return count;
}

class HandleCount : public SandboxRun {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        SandboxRun::SetUp();
    }
    void TearDown() override
    {
        SandboxRun::TearDown();
        ::CoUninitialize();
    }

    // Everything the program reads before and after the dialog. Returns what it found, so
    // that a round that silently did nothing cannot pass.
    std::size_t Discover()
    {
        StringArray connectors32;
        StringArray connectors64;
        win32::ComConnectorSource source;
        FindConnectors(source, info_, connectors32, connectors64, false);

        win32::Win32Registry registry;
        std::wstring location32;
        std::wstring location64;
        ReadConnectorLocation(registry, info_, L"SOFTWARE\\QVR\\Matlab\\", L"MFileHome", location32, location64, false);
        StringArray folders32;
        StringArray folders64;
        ListProductMatlabFolders(registry, folders32, folders64);
        StringArray roots32;
        StringArray roots64;
        FindMatlabRoots(registry, connectors32, connectors64, roots32, roots64);
        std::size_t setups = 0;
        RunPendingUserSetups(registry, PlatformSelection::All, folders32, folders64,
                             [&](const std::wstring&) { ++setups; });
        return connectors32.size() + connectors64.size() + folders32.size() + folders64.size() + roots32.size() +
               roots64.size() + setups + (location32.empty() ? 0 : 1) + (location64.empty() ? 0 : 1);
    }

    fakes::RecordingInfoBox info_;
};

TEST_F(HandleCount, CountsAKeyLeftOpen)
{
    // The measure itself can see a leak of the kind the bindings could make.
    const DWORD before = OpenHandles();
    win32::UniqueKey key;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_READ, key.put()), ERROR_SUCCESS);
    EXPECT_EQ(OpenHandles(), before + 1);
}

TEST_F(HandleCount, DiscoveryHoldsNoHandles)
{
    // Connectors 2 (one per platform), locations 2, folders 4, roots 3, pending setups 2.
    const std::size_t found = 13;
    ASSERT_EQ(Discover(), found);
    const DWORD before = OpenHandles();
    for (int round = 0; round < kRounds; ++round) {
        EXPECT_EQ(Discover(), found);
    }
    EXPECT_LE(OpenHandles(), before);
}

TEST_F(HandleCount, TenRootRefreshHoldsNoHandles)
{
    launcher_tests::StandinSandbox sandbox;
    StringArray roots;
    for (int number = 0; number < 10; ++number) {
        roots.push_back(sandbox.MakeMatlabRoot(L"R" + std::to_wstring(number)));
    }
    win32::Win32ProcessLauncher launcher;
    const auto refresh = [&] {
        RunMatlabRefresh(launcher, info_, Platform::Bits64, sandbox.Path(), sandbox.Path(), roots, true);
    };
    refresh();
    const DWORD before = OpenHandles();
    refresh();
    EXPECT_LE(OpenHandles(), before);
    EXPECT_EQ(sandbox.Runs().size(), 20u);
    EXPECT_TRUE(info_.shown.empty());
}

}  // namespace
}  // namespace qv::e2e
