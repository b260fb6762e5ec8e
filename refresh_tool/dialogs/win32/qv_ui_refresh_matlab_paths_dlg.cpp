#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"

#include "dialogs/folder_selection_rules.h"
#include "window/win32/gdi_scope.h"
#include "window/win32/win_app.h"
#include "window/window_geometry.h"

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

}  // namespace

CQvUiRefreshMatlabPathsDlg::CQvUiRefreshMatlabPathsDlg(HWND parent)
    : Dialog(IDD, parent),
      m_hIcon(static_cast<HICON>(::LoadImageW(qv::window::ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                              IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)))
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
