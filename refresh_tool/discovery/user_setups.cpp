#include "discovery/user_setups.h"

#include "common/platform.h"
#include "discovery/product_installation.h"
#include "discovery/registry_access.h"

#include <algorithm>

namespace qv {
namespace {

// One platform's setup pass: every installed version the user's list lacks.
void RunSetupPass(IRegistry& registry, Platform platform, const StringArray& installed, const StringArray& userList,
                  const std::function<void(const std::wstring&)>& startNewUserSetup)
{
    for (const std::wstring& version : installed) {
        if (std::find(userList.begin(), userList.end(), version) != userList.end()) {
            continue;
        }
        startNewUserSetup(
            ReadValueInView(registry, kProductVersionKeyPrefix + version, kProductBinaryFolderValueName, platform));
    }
}

}  // namespace

void RunPendingUserSetups(IRegistry& registry, PlatformSelection selection, const StringArray& folders32,
                          const StringArray& folders64,
                          const std::function<void(const std::wstring& programFolder)>& startNewUserSetup)
{
    PlatformPair<StringArray> machine;
    ListProductVersions(registry, Hive::LocalMachine, kProductVersionsKeyPath, machine.bits32, machine.bits64);
    const PlatformPair<const StringArray*> folders{&folders32, &folders64};
    const PlatformPair<const wchar_t*> userKeyPaths{kUserVersionsKeyPath32, kUserVersionsKeyPath64};
    for (const Platform platform : {Platform::Bits64, Platform::Bits32}) {
        if (folders[platform]->empty() || !Includes(selection, platform)) {
            continue;
        }
        PlatformPair<StringArray> user;
        ListProductVersions(registry, Hive::CurrentUser, userKeyPaths[platform], user.bits32, user.bits64);
        RunSetupPass(registry, platform, machine[platform], user[platform], startNewUserSetup);
    }
}

}  // namespace qv
