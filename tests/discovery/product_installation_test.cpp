// The product's registry entries: MATLAB folders and versions installed.
#include "discovery/in_memory_registry.h"
#include "discovery/product_installation.h"
#include "shared/fakes.h"

#include <gtest/gtest.h>

namespace {

using qv::StringArray;
using qv::fakes::InMemoryRegistry;
using qv::fakes::k32;
using qv::fakes::k64;
using qv::fakes::kMachine;

const std::wstring kVersions = L"SOFTWARE\\QVR\\ORX\\";

TEST(ListProductMatlabFolders, ListsEveryVersionPerViewWhateverItsNumber)
{
    InMemoryRegistry registry;
    registry.SetString(kMachine, k32, kVersions + L"9.5", L"MatlabInterface", L"C:\\ORX95\\matlab");
    registry.SetString(kMachine, k32, kVersions + L"10", L"MatlabInterface", L"C:\\ORX10\\matlab");
    registry.AddKey(kMachine, k32, kVersions + L"10.5");  // no folder: contributes nothing
    registry.SetString(kMachine, k64, kVersions + L"11", L"MatlabInterface", L"C:\\ORX11\\matlab");
    StringArray folders32;
    StringArray folders64;
    qv::ListProductMatlabFolders(registry, folders32, folders64);
    EXPECT_EQ(folders32, (StringArray{L"C:\\ORX95\\matlab", L"C:\\ORX10\\matlab"}));
    EXPECT_EQ(folders64, (StringArray{L"C:\\ORX11\\matlab"}));
}

TEST(ListProductVersions, DropsNamesBelowTenAndKeepsTheOrder)
{
    InMemoryRegistry registry;
    for (const wchar_t* name : {L"9.5", L"10", L"Test", L"10.1", L"11", L" 12 beta"}) {
        registry.AddKey(kMachine, k64, kVersions + name);
    }
    registry.AddKey(kMachine, k32, kVersions + L"10abc");
    StringArray versions32;
    StringArray versions64;
    qv::ListProductVersions(registry, kMachine, L"SOFTWARE\\QVR\\ORX", versions32, versions64);
    EXPECT_EQ(versions32, (StringArray{L"10abc"}));
    EXPECT_EQ(versions64, (StringArray{L"10", L"10.1", L"11", L" 12 beta"}));
}

}  // namespace
