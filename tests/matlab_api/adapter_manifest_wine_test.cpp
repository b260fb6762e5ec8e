// The 7.6 adapter's side-by-side binding as the Windows loader reads it. Wine also finds
// msvcr90.dll in system32, so loading the DLL proves nothing about its manifest: the
// activation context made from manifest resource 2 must redirect msvcr90.dll to the
// Microsoft.VC90.CRT assembly for amd64, and the image must not opt out of isolation.
#include "adapter_library.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const std::string kDll = "QvMatlabAPI_7_6_Lib.dll";

std::wstring DllPath()
{
    const std::string path = qv::test::BesideExecutable(kDll);
    return std::wstring(path.begin(), path.end());
}

// Releases an activation context handle.
class ActivationContext {
public:
    explicit ActivationContext(HANDLE handle) : handle_(handle) {}
    ~ActivationContext()
    {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::ReleaseActCtx(handle_);
        }
    }
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

TEST(AdapterManifest, ResourceTwoRedirectsMsvcr90ToTheVc90CrtForAmd64)
{
    const std::wstring path = DllPath();
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(2);  // ISOLATIONAWARE_MANIFEST_RESOURCE_ID
    const ActivationContext context(::CreateActCtxW(&request));
    ASSERT_NE(context.get(), INVALID_HANDLE_VALUE) << "error " << ::GetLastError();

    ULONG_PTR cookie = 0;
    ASSERT_TRUE(::ActivateActCtx(context.get(), &cookie));
    ACTCTX_SECTION_KEYED_DATA found{};
    found.cbSize = sizeof(found);
    const BOOL redirected = ::FindActCtxSectionStringW(FIND_ACTCTX_SECTION_KEY_RETURN_HACTCTX, nullptr,
                                                       ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"msvcr90.dll",
                                                       &found);
    ::DeactivateActCtx(0, cookie);
    ASSERT_TRUE(redirected) << "error " << ::GetLastError();
    if (found.hActCtx != nullptr) {
        ::ReleaseActCtx(found.hActCtx);
    }

    // The assembly msvcr90.dll belongs to, by its roster index in the context.
    DWORD index = found.ulAssemblyRosterIndex;
    SIZE_T size = 0;
    ::QueryActCtxW(0, context.get(), &index, AssemblyDetailedInformationInActivationContext, nullptr, 0, &size);
    ASSERT_GT(size, 0u);
    std::vector<unsigned char> buffer(size);
    ASSERT_TRUE(::QueryActCtxW(0, context.get(), &index, AssemblyDetailedInformationInActivationContext, buffer.data(),
                               size, &size));
    const auto* assembly = reinterpret_cast<const ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
    const std::wstring identity(assembly->lpAssemblyEncodedAssemblyIdentity,
                                assembly->ulEncodedAssemblyIdentityLength / sizeof(wchar_t));
    EXPECT_EQ(identity.rfind(L"Microsoft.VC90.CRT,", 0), 0u) << std::string(identity.begin(), identity.end());
    EXPECT_NE(identity.find(L"processorArchitecture=\"amd64\""), std::wstring::npos);
    EXPECT_NE(identity.find(L"publicKeyToken=\"1fc8b3b9a1e18e3b\""), std::wstring::npos);
}

// The version the manifest asks for (Wine resolves it to the one it has installed) and the
// PE flag that would make the loader skip the manifest altogether.
TEST(AdapterManifest, AsksForVersion9021022AndTheImageIsIsolationAware)
{
    std::ifstream in(qv::test::BesideExecutable(kDll), std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
    EXPECT_NE(image.find("name=\"Microsoft.VC90.CRT\" version=\"9.0.21022.8\" processorArchitecture=\"amd64\""),
              std::string::npos);

    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_LE(static_cast<std::size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), image.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(image.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    ASSERT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.DllCharacteristics & IMAGE_DLLCHARACTERISTICS_NO_ISOLATION, 0);
}

}  // namespace
