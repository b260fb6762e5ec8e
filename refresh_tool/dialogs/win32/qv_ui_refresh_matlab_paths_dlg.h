#pragma once
// The folder-selection dialog: the ORX MATLAB folders of both platforms in two check
// lists and the platform to update in a drop-down. The caller fills m_platform,
// m_folders32 and m_folders64, runs DoModal and, after IDOK, reads the same members: the
// ticked folders of each list (in list order) and the platform entry in force.
#include "common/string_array.h"
#include "dialogs/resource.h"
#include "common/win32/unique_handle.h"
#include "window/win32/check_list_box.h"
#include "window/win32/combo_box.h"
#include "window/win32/dialog.h"

class CQvUiRefreshMatlabPathsDlg : public qv::window::Dialog {
public:
    enum { IDD = IDD_QVUIREFRESHMATLABPATHS_DIALOG };

    explicit CQvUiRefreshMatlabPathsDlg(HWND parent = nullptr);

    // Icon group 128, the window's big and small icon. Destroyed with the object, after the
    // window that showed it (which exists only during DoModal).
    qv::win32::UniqueIcon m_hIcon;
    qv::window::ComboBox m_comboPlatform;  // control 1006, "Platform to Update:"
    qv::window::CheckListBox m_list32;     // control 1005, the 32-bit folders
    qv::window::CheckListBox m_list64;     // control 1004, the 64-bit folders
    int m_platform = 0;                    // a PlatformSelection: in from the caller, out after OK
    qv::StringArray m_folders32;           // in: folders to list; out after OK: the ticked ones
    qv::StringArray m_folders64;

protected:
    const qv::window::MessageMap* GetMessageMap() const override;
    void DoDataExchange(qv::window::DataExchange& exchange) override;
    bool OnInitDialog() override;
    bool OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnCbnSelchangePlatform();
    // The OK button (and Enter): collects the ticked folders of both lists, then ends the
    // dialog with IDOK.
    void OnBnClickedOk();
};
