// How the main dialog's face lists look: each name drawn in its own face, a
// face that is not installed marked, and every entry whole in the dropped
// list. Pictures are compared by their ink (the pixels that differ from the
// background, cut to their bounding box), so where a text stands in its item
// does not matter, only how it is drawn. The build installs "Times New Roman"
// (a copy of DejaVu Serif) and "Velltune Symbol" (DejaVu Serif as a symbol font).
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MainDialogFixture.h"
#include "fonts/FaceCombo.h"
#include "fonts/FitCombo.h"
#include "resource.h"
#include "ui/VelltuneDlg.h"
#include "win/Handles.h"

using namespace velltune::test;

namespace {

constexpr int kFaceLists[7] = {IDC_FACE_SERIF,   IDC_FACE_SANSSERIF, IDC_FACE_STANDARD, IDC_FACE_FIXED,
                               IDC_FACE_CURSIVE, IDC_FACE_FANTASY,   IDC_FACE_SETALL};

// A top-down 32-bit picture that a device context draws into.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), dc_(::CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const DWORD*>(bits);
        previous_ = ::SelectObject(dc_.Get(), bitmap_.Get());
        RECT all{0, 0, width, height};
        ::FillRect(dc_.Get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
    }
    ~Canvas() { ::SelectObject(dc_.Get(), previous_); }

    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The ink: rows of the pixels inside the bounding box of everything that
    // is not the background, which is taken from the top left corner.
    std::vector<std::vector<DWORD>> Ink() const
    {
        ::GdiFlush();
        const DWORD background = bits_[0];
        int left = width_, right = -1, top = height_, bottom = -1;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (Pixel(x, y) != background) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        std::vector<std::vector<DWORD>> ink;
        for (int y = top; y <= bottom; ++y) ink.emplace_back(bits_ + y * width_ + left, bits_ + y * width_ + right + 1);
        return ink;
    }
    DWORD Pixel(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }

private:
    int width_;
    int height_;
    win::MemoryDC dc_;
    win::Bitmap bitmap_;
    const DWORD* bits_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

using Ink = std::vector<std::vector<DWORD>>;

// The text drawn plainly in a font of the face at the cell height (or in the
// given font), in the given colour.
Ink PlainInk(const std::wstring& text, const wchar_t* face, HFONT given, int height, int color)
{
    Canvas canvas(600, height * 2);
    LOGFONTW logFont{};
    logFont.lfHeight = height;
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (face) lstrcpynW(logFont.lfFaceName, face, LF_FACESIZE);
    win::Font own(face ? ::CreateFontIndirectW(&logFont) : nullptr);
    win::SelectedObject selected(canvas.Dc(), face ? own.Get() : given);
    ::SetTextColor(canvas.Dc(), ::GetSysColor(color));
    ::SetBkMode(canvas.Dc(), TRANSPARENT);
    ::TextOutW(canvas.Dc(), 4, height / 2, text.c_str(), static_cast<int>(text.size()));
    return canvas.Ink();
}

bool Contains(const Ink& picture, const Ink& part)
{
    if (part.empty() || picture.empty()) return false;
    const size_t h = part.size(), w = part[0].size();
    for (size_t y = 0; y + h <= picture.size(); ++y)
        for (size_t x = 0; x + w <= picture[0].size(); ++x) {
            bool same = true;
            for (size_t r = 0; r < h && same; ++r)
                same = std::equal(part[r].begin(), part[r].end(), picture[y + r].begin() + static_cast<long>(x));
            if (same) return true;
        }
    return false;
}

std::wstring EntryText(HWND combo, LRESULT index)
{
    std::wstring text(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

class FaceListLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        folder.WriteEngineFile("[Font]\r\nSerifFontFamily=Times New Roman\r\n");
        ASSERT_TRUE(dialog.CreateModeless());
        ::ShowWindow(dialog.Handle(), SW_SHOW);
    }
    // Drops the list down and closes it: its entries come with its first use.
    void DropDown(HWND combo)
    {
        ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    }
    LRESULT Find(HWND combo, const wchar_t* face)
    {
        return ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face));
    }
    // One entry of the list as the dialog draws it when asked, in an item of
    // the list's height and dropped width.
    Ink DrawnEntry(int listId, LRESULT index)
    {
        HWND combo = dialog.Item(listId);
        Canvas canvas(static_cast<int>(::SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0)), ItemHeight(listId));
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_COMBOBOX;
        item.CtlID = static_cast<UINT>(listId);
        item.itemID = static_cast<UINT>(index);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = combo;
        item.hDC = canvas.Dc();
        item.rcItem = {0, 0, canvas.Width(), canvas.Height()};
        item.itemData = static_cast<ULONG_PTR>(::SendMessageW(combo, CB_GETITEMDATA, index, 0));
        ::SendMessageW(dialog.Handle(), WM_DRAWITEM, static_cast<WPARAM>(listId), reinterpret_cast<LPARAM>(&item));
        return canvas.Ink();
    }
    int ItemHeight(int listId) { return static_cast<int>(::SendMessageW(dialog.Item(listId), CB_GETITEMHEIGHT, 0, 0)); }
    HFONT ListFont(int listId) { return reinterpret_cast<HFONT>(::SendMessageW(dialog.Item(listId), WM_GETFONT, 0, 0)); }

    WorkingFolderFixture folder;
    MessageBoxWatcher boxes;
    CVelltuneDlg dialog;
};

TEST_F(FaceListLook, ListsAreOwnerDrawnSortedAndKeepTheNames)
{
    for (int id : kFaceLists) {
        HWND combo = dialog.Item(id);
        DropDown(combo);
        const LONG_PTR style = ::GetWindowLongPtrW(combo, GWL_STYLE);
        EXPECT_EQ(style & (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT),
                  CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_SORT)
            << id;
        const LRESULT arial = Find(combo, L"Arial");
        ASSERT_NE(arial, CB_ERR) << id;
        EXPECT_EQ(EntryText(combo, arial), L"Arial") << id;
    }
}

TEST_F(FaceListLook, EachEntryIsDrawnAsItsKindOfFaceAsks)
{
    // A stored face that is not installed, added as the page-font load adds it.
    HWND serif = dialog.Item(IDC_FACE_SERIF);
    DropDown(serif);
    const LRESULT missing = ::SendMessageW(serif, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Courier"));
    ASSERT_NE(missing, CB_ERR);
    ::SendMessageW(serif, CB_SETITEMDATA, missing, fonts::kNotInstalledItemData);

    // A text drawn in a face (null: in the list's own font), in a colour.
    struct Look {
        std::wstring text;
        const wchar_t* face;
        int color;
    };
    struct Case {
        const wchar_t* entry;
        std::vector<Look> shown;  // one look: the whole entry; more: each one in it
        Look notShown;
    };
    // Under Wine the list's font is DejaVu Sans itself; the faces below differ from it.
    const Case cases[] = {
        /* 0 */ {L"Times New Roman", {{L"Times New Roman", L"DejaVu Serif", COLOR_WINDOWTEXT}},
                 {L"Times New Roman", nullptr, COLOR_WINDOWTEXT}},
        /* 1 */ {L"DejaVu Sans Mono", {{L"DejaVu Sans Mono", L"DejaVu Sans Mono", COLOR_WINDOWTEXT}},
                 {L"DejaVu Sans Mono", L"DejaVu Serif", COLOR_WINDOWTEXT}},
        // The name readable in the list's font, then letters in the symbol face.
        /* 2 */ {L"Velltune Symbol",
                 {{L"Velltune Symbol", nullptr, COLOR_WINDOWTEXT}, {L"AaBbCc", L"DejaVu Serif", COLOR_WINDOWTEXT}},
                 {L"AaBbCc", nullptr, COLOR_WINDOWTEXT}},
        /* 3 */ {L"Courier", {{L"Courier (not installed)", nullptr, COLOR_GRAYTEXT}},
                 {L"Courier", nullptr, COLOR_WINDOWTEXT}},
    };
    const int height = ItemHeight(IDC_FACE_SERIF);
    ASSERT_GT(height, 4);
    const HFONT listFont = ListFont(IDC_FACE_SERIF);
    auto inkOf = [&](const Look& look) { return PlainInk(look.text, look.face, listFont, height, look.color); };
    for (const Case& c : cases) {
        const LRESULT index = Find(serif, c.entry);
        ASSERT_NE(index, CB_ERR) << Utf8(c.entry);
        const Ink drawn = DrawnEntry(IDC_FACE_SERIF, index);
        if (c.shown.size() == 1) {
            EXPECT_EQ(drawn, inkOf(c.shown[0])) << Utf8(c.entry);
        }
        for (const Look& look : c.shown) EXPECT_TRUE(Contains(drawn, inkOf(look))) << Utf8(c.entry) << " " << Utf8(look.text);
        EXPECT_FALSE(Contains(drawn, inkOf(c.notShown))) << Utf8(c.entry);
    }
}

TEST_F(FaceListLook, ClosedListShowsTheSelectedFaceInItsFace)
{
    HWND serif = dialog.Item(IDC_FACE_SERIF);
    ASSERT_EQ(EntryText(serif, ::SendMessageW(serif, CB_GETCURSEL, 0, 0)), L"Times New Roman");
    RECT box{};
    ::GetWindowRect(serif, &box);
    Canvas canvas(box.right - box.left, box.bottom - box.top);
    ASSERT_TRUE(::PrintWindow(serif, canvas.Dc(), 0));
    const Ink shown = canvas.Ink();
    // At the dropped list's item height, as in the list; the closed list may
    // end a long name in an ellipsis, so only its first word is looked for.
    const int height = static_cast<int>(::SendMessageW(serif, CB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(Contains(shown, PlainInk(L"Times", L"DejaVu Serif", nullptr, height, COLOR_WINDOWTEXT)));
    EXPECT_FALSE(Contains(shown, PlainInk(L"Times", nullptr, ListFont(IDC_FACE_SERIF), height, COLOR_WINDOWTEXT)));
}

// Run under Chinese system languages too, where the list's font draws wider
// than the font a device context starts with.
TEST_F(FaceListLook, EveryEntryFitsTheDroppedListInTheListsFont)
{
    // A stored face that is not installed, with a name longer than any
    // installed one: the list shows it with a note after it.
    const std::wstring missing = L"Courier Extra Condensed Oblique Demibold";
    for (int id : kFaceLists) {
        HWND combo = dialog.Item(id);
        DropDown(combo);
        const LRESULT at = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(missing.c_str()));
        ::SendMessageW(combo, CB_SETITEMDATA, at, fonts::kNotInstalledItemData);
    }
    bool eastAsian = false;
    for (int id : kFaceLists) {
        HWND combo = dialog.Item(id);
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
        // Dropped as the user drops it, which announces it to the dialog.
        ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
        RECT client{};
        ::GetClientRect(info.hwndList, &client);
        ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

        win::WindowDC dc(combo);
        win::SelectedObject font(dc.Get(), ListFont(id));
        const LRESULT count = ::SendMessageW(combo, CB_GETCOUNT, 0, 0);
        ASSERT_GT(count, 0);
        for (LRESULT i = 0; i < count; ++i) {
            const bool marked = ::SendMessageW(combo, CB_GETITEMDATA, i, 0) == fonts::kNotInstalledItemData;
            const std::wstring name = EntryText(combo, i) + (marked ? L" (not installed)" : L"");
            eastAsian = eastAsian || std::any_of(name.begin(), name.end(), [](wchar_t c) { return c >= 0x3000; });
            SIZE size{};
            ASSERT_TRUE(::GetTextExtentPoint32W(dc.Get(), name.c_str(), static_cast<int>(name.size()), &size));
            EXPECT_LE(size.cx + 2 * fonts::kItemTextMargin, client.right) << id << " " << Utf8(name);
            EXPECT_LE(size.cy, ItemHeight(id)) << id << " " << Utf8(name);
        }
    }
    // Under Chinese the check means something only with names in Chinese.
    if (PRIMARYLANGID(::GetSystemDefaultLangID()) == LANG_CHINESE) {
        EXPECT_TRUE(eastAsian);
    }
}

}  // namespace
