#include "launcher/user_setups.h"

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

void RunPendingUserSetups(IRegistry& registry, int selection, const StringArray& folders32,
                          const StringArray& folders64,
                          const std::function<void(const std::wstring& programFolder)>& startNewUserSetup)
{
    StringArray machine32;
    StringArray machine64;
    ListProductVersions(registry, Hive::LocalMachine, kProductVersionsKeyPath, machine32, machine64);
    if (!folders64.empty() && SelectionIncludes64(selection)) {
        StringArray user32;
        StringArray user64;
        ListProductVersions(registry, Hive::CurrentUser, kUserVersionsKeyPath64, user32, user64);
        RunSetupPass(registry, Platform::Bits64, machine64, user64, startNewUserSetup);
    }
    if (!folders32.empty() && SelectionIncludes32(selection)) {
        StringArray user32;
        StringArray user64;
        ListProductVersions(registry, Hive::CurrentUser, kUserVersionsKeyPath32, user32, user64);
        RunSetupPass(registry, Platform::Bits32, machine32, user32, startNewUserSetup);
    }
}

}  // namespace qv
