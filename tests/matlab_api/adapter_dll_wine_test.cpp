// The three adapter DLLs as Windows sees them: exports by name and ordinal, version
// resources, and profiler.dll loaded and freed through the real loader.
#include "adapter_library.h"
#include "call_bits.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

using qv::test::AdapterRelease;

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring DllName(const AdapterRelease& release)
{
    return L"QvMatlabAPI_" + Wide(release.name) + L"_Lib.dll";
}

class AdapterDll : public testing::TestWithParam<AdapterRelease> {
protected:
    void SetUp() override
    {
        exports_ = &qv::test::LoadAdapter(GetParam());
        ASSERT_NE(exports_->getMatlabAPI, nullptr);
        module_ = GetModuleHandleW(DllName(GetParam()).c_str());
        ASSERT_NE(module_, nullptr);
        qvCallLogReset();
        SetDllDirectoryW(nullptr);
    }

    void TearDown() override { SetDllDirectoryW(nullptr); }

    static void MakeProfilerFindable()
    {
        const std::wstring folder = Wide(qv::test::BesideExecutable("profiler_standin"));
        ASSERT_TRUE(SetDllDirectoryW(folder.c_str()));
    }

    static bool ProfilerLoaded() { return GetModuleHandleW(L"profiler.dll") != nullptr; }

    const qv::test::AdapterExports* exports_ = nullptr;
    HMODULE module_ = nullptr;
};

TEST_P(AdapterDll, ExportsBothFunctionsByNameAndByOrdinal)
{
    const FARPROC get = GetProcAddress(module_, "GetMatlabAPI");
    const FARPROC terminate = GetProcAddress(module_, "TerminateMatlabAPI");
    ASSERT_NE(get, nullptr);
    ASSERT_NE(terminate, nullptr);
    EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(1)), get);
    EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(2)), terminate);
    EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(3)), nullptr);
    EXPECT_EQ(GetProcAddress(module_, "DllMain"), nullptr);
}

TEST_P(AdapterDll, VersionResourceNamesTheLibraryAndItsVersion)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(module_, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));

    const auto value = [&](const std::wstring& key) -> std::wstring {
        void* text = nullptr;
        UINT length = 0;
        const std::wstring query = L"\\StringFileInfo\\040904b0\\" + key;
        if (!VerQueryValueW(block.data(), query.c_str(), &text, &length)) {
            return L"<missing>";
        }
        return length == 0 ? std::wstring() : std::wstring(static_cast<const wchar_t*>(text));
    };
    EXPECT_EQ(value(L"FileVersion"), GetParam().fileVersion);
    EXPECT_EQ(value(L"ProductVersion"), GetParam().fileVersion);
    EXPECT_EQ(value(L"InternalName"), DllName(GetParam()));
    EXPECT_EQ(value(L"OriginalFilename"), DllName(GetParam()));
    EXPECT_EQ(value(L"CompileDate"), L"");
    EXPECT_EQ(value(L"BuildLabel"), L"");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::wstring fixedVersion =
        std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) +
        L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(fixedVersion, GetParam().fileVersion);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_P(AdapterDll, ProfilerAbsentIsSilentAndRetriedAtTheNextEngineStart)
{
    qv::test::AdapterObject api = qv::test::MakeAdapterObject(*exports_);
    qvCallLogSetResult("engOpen", 0xE9);
    EXPECT_EQ(api->EngOpen("matlab"), reinterpret_cast<Engine*>(0xE9));
    EXPECT_FALSE(ProfilerLoaded());

    MakeProfilerFindable();
    int status = 0;
    EXPECT_EQ(api->EngOpenSingleUse(nullptr, nullptr, &status), nullptr);
    EXPECT_TRUE(ProfilerLoaded()) << "retried after the failed load, also for a null engine";
    api.reset();
    EXPECT_FALSE(ProfilerLoaded());
}

TEST_P(AdapterDll, ProfilerIsLoadedOnceAndFreedAtTermination)
{
    MakeProfilerFindable();
    qv::test::AdapterObject api = qv::test::MakeAdapterObject(*exports_);
    api->GetM(nullptr);
    EXPECT_FALSE(ProfilerLoaded()) << "only engine starts load it";
    for (int start = 0; start < 3; ++start) {
        api->EngOpen(nullptr);
        EXPECT_TRUE(ProfilerLoaded());
    }
    // One reference only: freeing it once unloads the library.
    api.reset();
    EXPECT_FALSE(ProfilerLoaded());
}

TEST_P(AdapterDll, EachObjectHoldsItsOwnProfilerReference)
{
    MakeProfilerFindable();
    qv::test::AdapterObject first = qv::test::MakeAdapterObject(*exports_);
    qv::test::AdapterObject second = qv::test::MakeAdapterObject(*exports_);
    first->EngOpen(nullptr);
    second->EngOpen(nullptr);
    first.reset();
    EXPECT_TRUE(ProfilerLoaded());
    second.reset();
    EXPECT_FALSE(ProfilerLoaded());
}

INSTANTIATE_TEST_SUITE_P(Adapters, AdapterDll, testing::ValuesIn(qv::test::AdapterReleases()),
                         [](const testing::TestParamInfo<AdapterRelease>& tested) {
                             return std::string("Release") + tested.param.name;
                         });

TEST(AdapterDllRuntime, TheNineBuildsRunOnTheUcrt)
{
    // The test program itself is on msvcrt: only the adapters bring the UCRT into the process.
    ASSERT_NE(qv::test::LoadAdapter(qv::test::AdapterReleases()[0]).getMatlabAPI, nullptr);
    ASSERT_NE(qv::test::LoadAdapter(qv::test::AdapterReleases()[1]).getMatlabAPI, nullptr);
    EXPECT_NE(GetModuleHandleW(L"ucrtbase.dll"), nullptr);
}

TEST(AdapterDllRuntime, TheSevenSixBuildRunsOnMsvcr90)
{
    ASSERT_NE(qv::test::LoadAdapter(qv::test::AdapterReleases()[2]).getMatlabAPI, nullptr);
    EXPECT_NE(GetModuleHandleW(L"msvcr90.dll"), nullptr);
}

}  // namespace
