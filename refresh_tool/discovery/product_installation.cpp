#include "discovery/product_installation.h"

#include "common/platform.h"
#include "discovery/registry_access.h"
#include "discovery/version_number.h"

#include <algorithm>
#include <memory>

namespace qv {
namespace {

void RemoveUnsupportedVersions(StringArray& versions)
{
    versions.erase(std::remove_if(versions.begin(), versions.end(),
                                  [](const std::wstring& name) { return !IsSupportedProductVersion(name); }),
                   versions.end());
}

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

void ReadConnectorLocation(IRegistry& registry, IInfoBox& info, const std::wstring& keyPath,
                           const std::wstring& valueName, std::wstring& location32, std::wstring& location64,
                           bool showInfo)
{
    struct View {
        Platform platform;
        std::wstring& location;
        const wchar_t* prefix;
    };
    for (const View& view : {View{Platform::Bits32, location32, kConnectorLocationPrefix32},
                             View{Platform::Bits64, location64, kConnectorLocationPrefix64}}) {
        const std::unique_ptr<IRegistryKey> key = registry.OpenKey(Hive::LocalMachine, keyPath, view.platform);
        if (!key) {
            continue;
        }
        if (std::optional<std::wstring> value = ReadStringValue(*key, valueName)) {
            view.location = std::move(*value);
            ShowInfoMessage(info, showInfo, view.prefix + view.location);
        }
    }
}

void ListProductMatlabFolders(IRegistry& registry, StringArray& folders32, StringArray& folders64)
{
    ReadValueOfEachSubKey(registry, kProductVersionKeyPrefix, kProductMatlabFolderValueName, folders32, folders64);
}

void ListProductVersions(IRegistry& registry, Hive hive, const std::wstring& keyPath, StringArray& versions32,
                         StringArray& versions64)
{
    ListSubKeys(registry, hive, keyPath, versions32, versions64);
    RemoveUnsupportedVersions(versions32);
    RemoveUnsupportedVersions(versions64);
}

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

