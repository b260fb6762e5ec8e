#include "discovery/product_installation.h"

#include "common/platform.h"
#include "discovery/registry_access.h"
#include "discovery/version_number.h"

#include <algorithm>

namespace qv {
namespace {

void RemoveUnsupportedVersions(StringArray& versions)
{
    versions.erase(std::remove_if(versions.begin(), versions.end(),
                                  [](const std::wstring& name) { return !IsSupportedProductVersion(name); }),
                   versions.end());
}

}  // namespace

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

}  // namespace qv
