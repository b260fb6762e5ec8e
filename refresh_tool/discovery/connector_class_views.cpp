#include "discovery/connector_class_views.h"

#include "discovery/registry_access.h"

#include <algorithm>

namespace qv {
namespace {

// HKCR\CLSID is the user's classes over the machine's; both are read.
constexpr Hive kClassHives[] = {Hive::LocalMachine, Hive::CurrentUser};
constexpr const wchar_t* kClassesPath = L"Software\\Classes\\CLSID";

bool CarriesCategory(IRegistry& registry, const std::wstring& classId, const std::wstring& categoryId, Platform view)
{
    const std::wstring path = std::wstring(kClassesPath) + L"\\" + classId + L"\\Implemented Categories\\" + categoryId;
    return std::any_of(std::begin(kClassHives), std::end(kClassHives),
                       [&](Hive hive) { return registry.OpenKey(hive, path, view) != nullptr; });
}

}  // namespace

StringArray FindClassesFor32BitProgramsOnly(IRegistry& registry, const std::wstring& categoryId)
{
    StringArray found;
    for (const Hive hive : kClassHives) {
        const std::unique_ptr<IRegistryKey> classes = registry.OpenKey(hive, kClassesPath, Platform::Bits32);
        if (!classes) {
            continue;
        }
        const std::uint32_t count = classes->CountSubKeys().value_or(0);
        for (std::uint32_t index = 0; index < count; ++index) {
            const std::wstring classId = GetSubKeyName(*classes, index);
            if (classId.empty() || std::find(found.begin(), found.end(), classId) != found.end()) {
                continue;
            }
            if (CarriesCategory(registry, classId, categoryId, Platform::Bits32) &&
                !CarriesCategory(registry, classId, categoryId, Platform::Bits64)) {
                found.push_back(classId);
            }
        }
    }
    return found;
}

}  // namespace qv
