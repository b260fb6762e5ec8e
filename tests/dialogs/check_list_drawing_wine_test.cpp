// The check list's owner drawing: WM_DRAWITEM requests for items in each state, sent to the
// folder dialog as the list box sends them, drawn into a bitmap whose pixels are then read.
// Each row of the table says what the item must show and where.
#include "dialogs/resource.h"
#include "dialogs/win32/qv_ui_refresh_matlab_paths_dlg.h"
#include "window/window_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int kItemWidth = 300;
constexpr int kItemHeight = 18;
constexpr COLORREF kUntouched = RGB(1, 2, 3);  // no system colour: shows where nothing was drawn

// A 32-bit bitmap in a memory DC, filled with kUntouched.
class Canvas {
public:
    Canvas()
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kItemWidth;
        info.bmiHeader.biHeight = -kItemHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        previous_ = ::SelectObject(dc_, bitmap_);
        const RECT all{0, 0, kItemWidth, kItemHeight};
        HBRUSH untouched = ::CreateSolidBrush(kUntouched);
        ::FillRect(dc_, &all, untouched);
        ::DeleteObject(untouched);
    }
    ~Canvas()
    {
        ::SelectObject(dc_, previous_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    // kUntouched outside the bitmap.
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= kItemWidth || y >= kItemHeight) {
            return kUntouched;
        }
        ::GdiFlush();
        const std::uint32_t pixel = bits_[y * kItemWidth + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// What one item must show. Colours are system colour indexes.
struct DrawCase {
    const char* name;
    int check;
    bool listEnabled;
    UINT itemState;
    bool mark;       // a mark inside the box
    int fill;        // the text area's background
    int textColour;  // the colour the text is written in
    bool focusFrame;
};

void PrintTo(const DrawCase& c, std::ostream* os)
{
    *os << c.name;
}

using qv::window::CheckListBox;

class CheckListDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.m_folders32 = {L"C:\\ORX 10\\Matlab"};
        ASSERT_TRUE(dialog.Create());
    }
    void TearDown() override { dialog.DestroyWindow(); }

    // Sends the request the list box would send for item 0 and says whether it was handled.
    bool Draw(Canvas& canvas, UINT state, UINT action = ODA_DRAWENTIRE, UINT itemId = 0)
    {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_LISTBOX;
        item.CtlID = IDC_LIST32;
        item.itemID = itemId;
        item.itemAction = action;
        item.itemState = state;
        item.hwndItem = dialog.m_list32.GetSafeHwnd();
        item.hDC = canvas.dc();
        item.rcItem = kItem;
        return ::SendMessageW(dialog.GetSafeHwnd(), WM_DRAWITEM, IDC_LIST32, reinterpret_cast<LPARAM>(&item)) != 0;
    }

    static constexpr RECT kItem{0, 0, kItemWidth, kItemHeight};
    CQvUiRefreshMatlabPathsDlg dialog;
};

// The box's side: the height of the frame's left edge, the first drawn column of the
// item's middle row.
int MeasuredBoxSize(const Canvas& canvas)
{
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const int middle = kItemHeight / 2;
    int x = 0;
    while (x < kItemWidth && canvas.At(x, middle) == window) {
        ++x;
    }
    int top = middle;
    while (top > 0 && canvas.At(x, top - 1) != window) {
        --top;
    }
    int bottom = middle + 1;
    while (bottom < kItemHeight && canvas.At(x, bottom) != window) {
        ++bottom;
    }
    return bottom - top;
}

int DistinctColours(const Canvas& canvas, const qv::PixelRect& area)
{
    std::vector<COLORREF> seen;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = canvas.At(x, y);
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) {
                seen.push_back(c);
            }
        }
    }
    return static_cast<int>(seen.size());
}

int CountColour(const Canvas& canvas, const qv::PixelRect& area, COLORREF colour)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            count += canvas.At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

class CheckListItemStates : public CheckListDrawing, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(CheckListItemStates, DrawsBoxTextAndFocusWhereTheLayoutSays)
{
    const DrawCase& c = GetParam();
    ASSERT_TRUE(dialog.m_list32.SetCheck(0, c.check));
    dialog.m_list32.EnableWindow(c.listEnabled);
    Canvas canvas;
    ASSERT_TRUE(Draw(canvas, c.itemState));

    // Every pixel of the item is drawn anew.
    EXPECT_EQ(CountColour(canvas, {0, 0, kItemWidth, kItemHeight}, kUntouched), 0);

    const int boxSize = MeasuredBoxSize(canvas);
    ASSERT_GE(boxSize, 9);
    const qv::CheckListItemLayout layout = qv::LayOutCheckListItem({0, 0, kItemWidth, kItemHeight}, boxSize);
    const int middle = kItemHeight / 2;
    // The box stands where the layout puts it, on the window colour, never highlighted.
    EXPECT_EQ(canvas.At(layout.box.left - 1, middle), ::GetSysColor(COLOR_WINDOW));
    EXPECT_NE(canvas.At(layout.box.left, middle), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.At(layout.text.left - 1, middle), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(canvas.At(layout.box.left + boxSize / 2, layout.box.top - 1), ::GetSysColor(COLOR_WINDOW));
    EXPECT_NE(canvas.At(layout.box.left + boxSize / 2, layout.box.top), ::GetSysColor(COLOR_WINDOW));
    const qv::PixelRect inside{layout.box.left + 3, layout.box.top + 3, layout.box.right - 3, layout.box.bottom - 3};
    EXPECT_EQ(DistinctColours(canvas, inside) > 1, c.mark) << "inside the box";

    // The text area: its background, its text, and the focus frame on its edge.
    const qv::PixelRect text = layout.text;
    EXPECT_EQ(canvas.At(text.right - 3, middle), ::GetSysColor(c.fill));
    const qv::PixelRect letters{text.left + 1, text.top + 1, text.left + 120, text.bottom - 1};
    EXPECT_GT(CountColour(canvas, letters, ::GetSysColor(c.textColour)), 10);
    const qv::PixelRect topEdge{text.left, text.top, text.right, text.top + 1};
    EXPECT_EQ(CountColour(canvas, topEdge, ::GetSysColor(c.fill)) < text.Width(), c.focusFrame) << "top edge";
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckListItemStates,
    ::testing::Values(
        DrawCase{"Unchecked", CheckListBox::Unchecked, true, 0, false, COLOR_WINDOW, COLOR_WINDOWTEXT, false},
        DrawCase{"Checked", CheckListBox::Checked, true, 0, true, COLOR_WINDOW, COLOR_WINDOWTEXT, false},
        DrawCase{"CheckedSelectedFocused", CheckListBox::Checked, true, ODS_SELECTED | ODS_FOCUS, true, COLOR_HIGHLIGHT,
                 COLOR_HIGHLIGHTTEXT, true},
        DrawCase{"FocusedNotSelected", CheckListBox::Unchecked, true, ODS_FOCUS, false, COLOR_WINDOW, COLOR_WINDOWTEXT,
                 true},
        DrawCase{"FocusFrameHidden", CheckListBox::Checked, true, ODS_SELECTED | ODS_FOCUS | ODS_NOFOCUSRECT, true,
                 COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, false},
        DrawCase{"DisabledChecked", CheckListBox::Checked, false, 0, true, COLOR_WINDOW, COLOR_GRAYTEXT, false},
        DrawCase{"DisabledSelectedIsNotHighlighted", CheckListBox::Unchecked, false, ODS_SELECTED, false, COLOR_WINDOW,
                 COLOR_GRAYTEXT, false}),
    [](const ::testing::TestParamInfo<DrawCase>& param) { return std::string(param.param.name); });

TEST_F(CheckListDrawing, ADisabledListDrawsItsBoxesGreyed)
{
    ASSERT_TRUE(dialog.m_list32.SetCheck(0, CheckListBox::Checked));
    dialog.m_list32.EnableWindow(true);
    Canvas enabled;
    ASSERT_TRUE(Draw(enabled, 0));
    dialog.m_list32.EnableWindow(false);
    Canvas disabled;
    ASSERT_TRUE(Draw(disabled, 0));
    const int boxSize = MeasuredBoxSize(enabled);
    const qv::PixelRect box = qv::LayOutCheckListItem({0, 0, kItemWidth, kItemHeight}, boxSize).box;
    int differing = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            differing += enabled.At(x, y) != disabled.At(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(differing, 0);
}

TEST_F(CheckListDrawing, AnEmptyListDrawsOnlyItsFocusFrame)
{
    Canvas canvas;
    ASSERT_TRUE(Draw(canvas, ODS_FOCUS, ODA_FOCUS, static_cast<UINT>(-1)));
    const qv::PixelRect inner{1, 1, kItemWidth - 1, kItemHeight - 1};
    EXPECT_EQ(CountColour(canvas, inner, kUntouched), inner.Width() * inner.Height());
    EXPECT_LT(CountColour(canvas, {0, 0, kItemWidth, 1}, kUntouched), kItemWidth);
}

}  // namespace
