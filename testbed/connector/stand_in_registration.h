#pragma once
// The stand-in connector: one in-process COM server DLL (QvStandInConnector.dll) that can be
// registered as any number of connector classes, each with its own behaviour. The behaviour
// is kept in the registry beside the class registration, under
// HKCR\CLSID\{class id}\StandInBehaviour, and the DLL reads it when the class is created.
#include <windows.h>

#include <optional>
#include <string>

namespace qv::testbed {

// What a class answers for one platform.
struct StandInPlatform {
    // GetVersionInfo's first string, whole (embedded NULs included); nullopt leaves it null.
    std::optional<std::wstring> version;
    HRESULT versionResult = S_OK;  // result of GetVersionInfo
    HRESULT checkResult = S_OK;    // result of CheckPlatform
};

// What an object does to the queue of the thread that created it, once this process has
// started another (the program's MATLAB or setup): a window of that thread posts WM_QUIT, or a
// thread of the object's own does; or the queue never empties again, through a window that
// posts itself a message whenever it handles one, a WM_PAINT that is never validated, or a
// thread that keeps up to 64 messages posted to the window.
enum class QueueAbuse : DWORD { None, QuitFromWindow, QuitFromThread, FloodSelfPosting, FloodPaint, FloodFromThread };

struct StandInConnector {
    GUID classId{};
    StandInPlatform bits32;
    StandInPlatform bits64;
    HRESULT createResult = S_OK;  // a failure code makes the class impossible to create
    // Creating the object posts WM_QUIT to the creating thread, as a component does whose own
    // window calls PostQuitMessage in its WM_DESTROY.
    bool postsQuit = false;
    // Creating the object takes this long, as a slow connector's start does.
    DWORD createDelayMs = 0;
    // At most one class of a process abuses the queue: the first one created.
    QueueAbuse onProcessStart = QueueAbuse::None;
    // Registered in the 32-bit view of HKCR\CLSID alone, as a 32-bit-only install does: a
    // 64-bit process's category manager neither lists nor creates it.
    bool for32BitProgramsOnly = false;
};

// Distinct class ids for stand-ins, numbered from 0: {5EA7C0DE-0000-4000-8000-0000000000nn}.
// Ids enumerate in the order of their numbers.
GUID StandInClassId(unsigned number);

// Where the DLL lies: beside the running executable.
std::wstring StandInConnectorDllPath();

// Registers `connector.classId` as an apartment-threaded in-process class served by `dllPath`,
// under the connector category, with the connector's behaviour. Replaces an earlier
// registration of the same class. Returns false if a key could not be written.
bool RegisterStandInConnector(const StandInConnector& connector,
                              const std::wstring& dllPath = StandInConnectorDllPath());

// Removes the class's whole registration, in both views; true also when there was none.
bool UnregisterStandInConnector(const GUID& classId);

// The behaviour registered for a class; defaults (null versions, S_OK) where none is stored.
StandInConnector ReadStandInBehaviour(const GUID& classId);

// "{XXXXXXXX-XXXX-...}" and back.
std::wstring ClassIdText(const GUID& classId);
bool ParseClassId(const std::wstring& text, GUID& classId);

}  // namespace qv::testbed
