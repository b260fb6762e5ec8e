#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"

#include "dialogs/folder_selection_rules.h"
#include "window/win32/gdi_scope.h"
#include "window/win32/win_app.h"
#include "window/window_geometry.h"

#include <vector>

namespace {

void FillList(const qv::window::CheckListBox& list, const qv::StringArray& folders)
{
    // By position, so the array order survives the list's sort style.
    for (size_t index = 0; index < folders.size(); ++index) {
        list.InsertString(static_cast<int>(index), folders[index]);
    }
}

void EnableLists(CQvUiRefreshMatlabPathsDlg& dialog, const qv::ListEnabling& lists)
{
    dialog.m_list32.EnableWindow(lists.list32);
    dialog.m_list64.EnableWindow(lists.list64);
}

// Screen readers name a control after the label just before it in z-order, but template
// 102 lists each label after the control it names (and "64-bit ORX MATLAB Folders:" right
// before the drop-down). So each label moves just before its control when the window
// opens. Labels are no tab stops, so the tab order stays as the template has it.
struct LabelOf {
    int templateOrder;  // 1-based place of the label among the template's controls
    int controlId;
};
constexpr LabelOf kLabels[] = {{5, IDC_LIST32}, {6, IDC_LIST64}, {8, IDC_COMBO_PLATFORM}};

void PutLabelsBeforeTheirControls(HWND dialog)
{
    // Until something moves them, the children lie in z-order as the template lists them.
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    for (const LabelOf& label : kLabels) {
        HWND control = ::GetDlgItem(dialog, label.controlId);
        if (control == nullptr || static_cast<size_t>(label.templateOrder) > children.size()) {
            continue;
        }
        HWND labelWindow = children[static_cast<size_t>(label.templateOrder) - 1];
        HWND before = ::GetWindow(control, GW_HWNDPREV);
        if (before != labelWindow) {
            ::SetWindowPos(labelWindow, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
    }
}

}  // namespace

CQvUiRefreshMatlabPathsDlg::CQvUiRefreshMatlabPathsDlg(HWND parent)
    : Dialog(IDD, parent),
      m_hIcon(static_cast<HICON>(::LoadImageW(qv::window::ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE)))
{
}

const qv::window::MessageMap* CQvUiRefreshMatlabPathsDlg::GetMessageMap() const
{
    using Self = CQvUiRefreshMatlabPathsDlg;
    using namespace qv::window;
    static const MessageMapEntry entries[] = {
        PaintHandler<&Self::OnPaint>(),
        QueryDragIconHandler<&Self::OnQueryDragIcon>(),
        CommandHandler<&Self::OnCbnSelchangePlatform>(IDC_COMBO_PLATFORM, CBN_SELCHANGE),
        CommandHandler<&Self::OnBnClickedOk>(IDOK, BN_CLICKED),
    };
    static const MessageMap map(Dialog::GetMessageMap(), entries);
    return &map;
}

void CQvUiRefreshMatlabPathsDlg::DoDataExchange(qv::window::DataExchange& exchange)
{
    Dialog::DoDataExchange(exchange);
    DDX_Control(exchange, IDC_COMBO_PLATFORM, m_comboPlatform);
    DDX_Control(exchange, IDC_LIST32, m_list32);
    DDX_Control(exchange, IDC_LIST64, m_list64);
}

bool CQvUiRefreshMatlabPathsDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    PutLabelsBeforeTheirControls(GetSafeHwnd());

    ::SendMessageW(GetSafeHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon.get()));
    ::SendMessageW(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon.get()));

    const qv::FirstSelection first = qv::ChooseFirstSelection(m_platform, m_folders32.size(), m_folders64.size());
    m_comboPlatform.SetCurSel(first.index);
    EnableLists(*this, first.lists);
    // What is shown is what OK refreshes, even when it is not the platform the caller asked for.
    m_platform = first.index;

    FillList(m_list32, m_folders32);
    FillList(m_list64, m_folders64);
    return true;
}

bool CQvUiRefreshMatlabPathsDlg::OnPaint()
{
    if (!::IsIconic(GetSafeHwnd())) {
        return false;
    }
    qv::window::PaintScope paint(GetSafeHwnd());
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()));
    RECT client{};
    ::GetClientRect(GetSafeHwnd(), &client);
    const qv::PixelPoint origin = qv::IconOrigin(client.right - client.left, client.bottom - client.top,
                                                 ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    ::DrawIcon(paint.dc(), origin.x, origin.y, m_hIcon.get());
    return true;
}

HCURSOR CQvUiRefreshMatlabPathsDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon.get());
}

void CQvUiRefreshMatlabPathsDlg::OnCbnSelchangePlatform()
{
    const int index = m_comboPlatform.GetCurSel();
    if (const auto lists = qv::ListEnablingFor(index)) {
        EnableLists(*this, *lists);
        m_platform = index;
    }
}

void CQvUiRefreshMatlabPathsDlg::OnBnClickedOk()
{
    // Both lists, whatever is enabled: the caller picks by m_platform.
    qv::CollectCheckedFolders(m_list32, m_folders32);
    qv::CollectCheckedFolders(m_list64, m_folders64);
    Dialog::OnOK();
}
