// Connector classes registered for 32-bit programs only, over an in-memory registry.
#include "discovery/connector_class_views.h"
#include "in_memory_registry.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

const std::wstring kCategory = L"{CA7E0000-0000-0000-0000-000000000001}";
const std::wstring kOther = L"{CA7E0000-0000-0000-0000-000000000002}";

void AddClass(fakes::InMemoryRegistry& registry, Hive hive, Platform view, const std::wstring& classId,
              const std::wstring& category)
{
    registry.AddKey(hive, view, L"Software\\Classes\\CLSID\\" + classId + L"\\Implemented Categories\\" + category);
}

TEST(FindClassesFor32BitProgramsOnly, OnlyClassesWhoseCategoryIsInThe32BitViewAlone)
{
    fakes::InMemoryRegistry registry(fakes::InMemoryRegistry::UserViews::Separate);
    AddClass(registry, Hive::LocalMachine, Platform::Bits32, L"{A}", kCategory);  // 32-bit only: listed
    AddClass(registry, Hive::LocalMachine, Platform::Bits32, L"{B}", kCategory);  // in both views
    AddClass(registry, Hive::LocalMachine, Platform::Bits64, L"{B}", kCategory);
    AddClass(registry, Hive::LocalMachine, Platform::Bits32, L"{C}", kOther);     // another category
    AddClass(registry, Hive::LocalMachine, Platform::Bits64, L"{D}", kCategory);  // 64-bit only
    AddClass(registry, Hive::LocalMachine, Platform::Bits32, L"{E}", kCategory);  // the user's 64-bit entry
    AddClass(registry, Hive::CurrentUser, Platform::Bits64, L"{E}", kCategory);
    AddClass(registry, Hive::CurrentUser, Platform::Bits32, L"{F}", kCategory);               // the user's, 32-bit only
    AddClass(registry, Hive::CurrentUser, Platform::Bits32, L"{A}", kCategory);               // listed once
    registry.AddKey(Hive::LocalMachine, Platform::Bits32, L"Software\\Classes\\CLSID\\{G}");  // no categories

    EXPECT_EQ(FindClassesFor32BitProgramsOnly(registry, kCategory), (StringArray{L"{A}", L"{F}"}));
    EXPECT_EQ(registry.OpenKeyCount(), 0);
}

TEST(FindClassesFor32BitProgramsOnly, NoClassesKeyFindsNothing)
{
    fakes::InMemoryRegistry registry;
    EXPECT_TRUE(FindClassesFor32BitProgramsOnly(registry, kCategory).empty());
    registry.DenyOpen(Hive::LocalMachine, Platform::Bits32, L"Software\\Classes\\CLSID");
    EXPECT_TRUE(FindClassesFor32BitProgramsOnly(registry, kCategory).empty());
}

}  // namespace
}  // namespace qv
