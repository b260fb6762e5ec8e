#include "discovery/win32/com_connector_source.h"

#include "discovery/connector_class_views.h"
#include "discovery/win32/qv_connector_info.h"
#include "discovery/win32/registry.h"
#include "common/win32/com_ptr.h"

#include <comcat.h>

namespace qv::win32 {
namespace {

// In-process server or handler, local or remote server: whatever the class registered.
constexpr DWORD kAnyServer = CLSCTX_ALL;
static_assert(kAnyServer == 0x17 && kAnyServer == (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                                   CLSCTX_REMOTE_SERVER));

// An out-string slot: null before the call, freed on every way out.
class BstrSlot {
public:
    BstrSlot() = default;
    ~BstrSlot() { ::SysFreeString(value_); }
    BstrSlot(const BstrSlot&) = delete;
    BstrSlot& operator=(const BstrSlot&) = delete;

    BSTR* put() { return &value_; }
    // The whole string, embedded NULs included; empty for a null string.
    std::wstring Text() const
    {
        return value_ == nullptr ? std::wstring() : std::wstring(value_, ::SysStringLen(value_));
    }

private:
    BSTR value_ = nullptr;
};

std::wstring GuidText(const GUID& id)
{
    wchar_t text[40] = {};
    const int length = ::StringFromGUID2(id, text, 40);
    return std::wstring(text, length > 0 ? static_cast<std::size_t>(length - 1) : 0);
}

class ComConnectorInfo final : public IConnectorInfo {
public:
    explicit ComConnectorInfo(IQvConnectorInfo& object) : object_(object) {}

    VersionInfoReply GetVersionInfo(Platform platform) override
    {
        BstrSlot version;
        BstrSlot description;
        BstrSlot detail;
        VersionInfoReply reply;
        reply.result =
            object_.GetVersionInfo(static_cast<LONG>(platform), version.put(), description.put(), detail.put());
        if (reply.result >= 0) {
            reply.version = version.Text();
        }
        return reply;
    }

    ResultCode CheckPlatform(Platform platform) override
    {
        BstrSlot reason;
        SHORT state = 0;
        SHORT detail = 0;
        return object_.CheckPlatform(static_cast<LONG>(platform), reason.put(), &state, &detail);
    }

private:
    IQvConnectorInfo& object_;
};

}  // namespace

void ComConnectorSource::ForEachConnector(const std::function<void(IConnectorInfo&)>& visit)
{
    ComPtr<ICatInformation> manager;
    if (::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, kAnyServer, IID_ICatInformation,
                           manager.put_void()) != S_OK ||
        !manager) {
        return;
    }
    // A category that cannot be enumerated counts as empty.
    CATID implemented[] = {CATID_QvConnectors};
    ComPtr<IEnumGUID> classes;
    if (FAILED(manager->EnumClassesOfCategories(1, implemented, 0, nullptr, classes.put())) || !classes) {
        return;
    }
    classes->Reset();
    for (;;) {
        CLSID classId{};
        ULONG fetched = 0;
        if (FAILED(classes->Next(1, &classId, &fetched)) || fetched != 1) {
            return;
        }
        ComPtr<IQvConnectorInfo> object;
        const HRESULT created =
            ::CoCreateInstance(classId, nullptr, kAnyServer, IID_IQvConnectorInfo, object.put_void());
        if (FAILED(created) || !object) {
            notCreatable_.push_back({GuidText(classId), UnusableConnectorClass::Reason::NotCreatable, created});
            continue;
        }
        ComConnectorInfo connector(*object.get());
        visit(connector);
    }
}

std::vector<UnusableConnectorClass> ComConnectorSource::UnusableClasses()
{
    std::vector<UnusableConnectorClass> unusable = notCreatable_;
    Win32Registry registry;
    for (const std::wstring& classId : FindClassesFor32BitProgramsOnly(registry, GuidText(CATID_QvConnectors))) {
        unusable.push_back({classId, UnusableConnectorClass::Reason::For32BitProgramsOnly, kResultOk});
    }
    return unusable;
}

}  // namespace qv::win32
