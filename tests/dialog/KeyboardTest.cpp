// Working from the keyboard: access keys in every language, Alt+key and
// typing as real key input, and where the smaller dialogs open.
#include "LanguageHarness.h"

#include <chrono>
#include <cwctype>
#include <functional>
#include <map>
#include <memory>
#include <thread>

#include "browser/DialogSetDataFolder.h"
#include "i18n/AboutDlg.h"
#include "i18n/Languages.h"
#include "resource.h"

using namespace velltune::test;
using namespace std::chrono_literals;

namespace {

// The access keys a caption marks ("&&" is a plain "&"), upper-cased.
std::wstring AccessKeys(const std::wstring& caption)
{
    std::wstring keys;
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') keys += static_cast<wchar_t>(std::towupper(caption[i + 1]));
        ++i;
    }
    return keys;
}

// Checks one window's captions: one key each, and no more keys serving two
// captions than allowed (none serving three).
void ExpectKeys(const std::string& where, const std::vector<std::wstring>& captions, size_t sharedAllowed)
{
    std::map<wchar_t, int> uses;
    for (const std::wstring& caption : captions) {
        const std::wstring keys = AccessKeys(caption);
        EXPECT_EQ(keys.size(), 1u) << where << ": \"" << Utf8(caption) << "\"";
        if (keys.size() == 1) ++uses[keys[0]];
    }
    size_t shared = 0;
    for (const auto& [key, count] : uses) {
        EXPECT_LE(count, 2) << where << ": key " << Utf8(std::wstring(1, key));
        if (count > 1) ++shared;
    }
    EXPECT_LE(shared, sharedAllowed) << where;
}

// The captions of a dialog's labels, check boxes, radios and buttons; OK and
// Cancel (served by Enter and Esc), group boxes and plain texts aside.
std::vector<std::wstring> ControlCaptions(HWND dialog)
{
    std::vector<std::wstring> captions;
    for (HWND w = ::GetWindow(dialog, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(w);
        if (id == IDOK || id == IDCANCEL) continue;
        wchar_t name[32] = {};
        ::GetClassNameW(w, name, 32);
        const LONG style = ::GetWindowLongW(w, GWL_STYLE);
        const bool button = ::lstrcmpiW(name, L"Button") == 0 && (style & BS_TYPEMASK) != BS_GROUPBOX;
        const bool label = ::lstrcmpiW(name, L"Static") == 0 && !(style & SS_NOPREFIX);
        const std::wstring caption = win::GetWindowTextString(w);
        if ((button || label) && !caption.empty()) captions.push_back(caption);
    }
    return captions;
}

// ---- Real key input --------------------------------------------------------------------

INPUT Key(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void PressAlt(wchar_t letter)
{
    const WORD vk = LOBYTE(::VkKeyScanW(letter));
    Send({Key(VK_MENU, false), Key(vk, false), Key(vk, true), Key(VK_MENU, true)});
}

void Press(WORD vk)
{
    Send({Key(vk, false), Key(vk, true)});
}

void Type(const std::wstring& characters)
{
    std::vector<INPUT> inputs;
    for (wchar_t c : characters)
        for (bool up : {false, true}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
            inputs.push_back(input);
        }
    Send(inputs);
}

// Runs this thread's messages as a modal dialog's loop would, until the
// condition holds or two seconds pass.
bool PumpDialogUntil(HWND dialog, const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (::IsWindow(dialog) && ::IsDialogMessageW(dialog, &msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (condition()) return true;
        std::this_thread::sleep_for(5ms);
    }
    return condition();
}

void BringToFront(HWND window)
{
    ::SetForegroundWindow(window);
    PumpDialogUntil(window, [window] { return ::GetForegroundWindow() == window; });
}

class KeyboardTest : public LanguageHarness {
protected:
    std::vector<std::wstring> DropDownCaptions() const
    {
        std::vector<std::wstring> captions;
        for (int i = 0; i < ::GetMenuItemCount(DropDown()); ++i)
            if (!(::GetMenuState(DropDown(), i, MF_BYPOSITION) & MF_SEPARATOR))
                captions.push_back(ItemText(DropDown(), i));
        return captions;
    }
};

TEST_F(KeyboardTest, EveryCaptionHasOneAccessKeyInEveryShippedLanguage)
{
    std::vector<std::wstring> languages = CopyShippedLanguages();
    ASSERT_GE(languages.size(), 5u);
    languages.insert(languages.begin(), L"English.ini");
    ASSERT_TRUE(Open());
    for (const std::wstring& language : languages) {
        if (language == L"English.ini")
            Command(lang::kFirstCommand);
        else
            Choose(language);
        const std::string name = Utf8(language);

        std::vector<std::wstring> main = ControlCaptions(Window());
        ASSERT_EQ(main.size(), 24u) << name;
        main.push_back(ItemText(Bar(), 0));
        // More captions than letters: at most two keys serve two captions each.
        ExpectKeys(name + ", main window", main, 2);
        ExpectKeys(name + ", menu", DropDownCaptions(), 0);

        CDialogSetDataFolder setFolder(Window());
        ASSERT_TRUE(setFolder.CreateModeless());
        const std::vector<std::wstring> folderCaptions = ControlCaptions(setFolder.Handle());
        EXPECT_EQ(folderCaptions.size(), 2u) << name;
        ExpectKeys(name + ", data-folder dialog", folderCaptions, 0);
    }
}

TEST_F(KeyboardTest, AltAndALabelsKeyMoveTheFocusToItsField)
{
    const struct {
        int label;
        int field;
    } cases[] = {
        {IDC_LABEL_FOREPART, IDC_EDIT_FOREPART},
        {IDC_LABEL_END, IDC_EDIT_END},
        {IDC_LABEL_ACCEL, IDC_EDIT_ACCEL},
        {IDC_LABEL_STEP, IDC_EDIT_STEP},
        {IDC_LABEL_ACCOUNT, IDC_ACCOUNT_LIST},
        {IDC_LABEL_SERIF, IDC_FACE_SERIF},
        {IDC_LABEL_SANSSERIF, IDC_FACE_SANSSERIF},
        {IDC_LABEL_STANDARD, IDC_FACE_STANDARD},
        {IDC_LABEL_FIXED, IDC_FACE_FIXED},
        {IDC_LABEL_CURSIVE, IDC_FACE_CURSIVE},
        {IDC_LABEL_FANTASY, IDC_FACE_FANTASY},
        {IDC_LABEL_DEFAULTSIZE, IDC_EDIT_DEFAULTSIZE},
        {IDC_LABEL_FIXEDSIZE, IDC_EDIT_FIXEDSIZE},
        {IDC_LABEL_MINSIZE, IDC_EDIT_MINSIZE},
        {IDC_LABEL_MINLOGICALSIZE, IDC_EDIT_MINLOGICALSIZE},
    };
    ASSERT_TRUE(Open());
    BringToFront(Window());
    ASSERT_EQ(::GetForegroundWindow(), Window());
    for (const auto& c : cases) {
        const std::wstring keys = AccessKeys(Text(c.label));
        ASSERT_EQ(keys.size(), 1u) << c.label;
        ::SetFocus(::GetDlgItem(Window(), IDOK));
        HWND field = ::GetDlgItem(Window(), c.field);
        // A key two labels share takes the focus to each in turn.
        for (int press = 0; press < 2 && ::GetFocus() != field; ++press) {
            PressAlt(keys[0]);
            PumpDialogUntil(Window(), [field] { return ::GetFocus() == field; });
        }
        EXPECT_EQ(::GetFocus(), field) << "label " << c.label << ", Alt+" << Utf8(keys);
    }
    EXPECT_FALSE(dialog->IsModified()) << "moving the focus changes nothing";
}

TEST_F(KeyboardTest, DataFolderDialogTakesATypedPathAndEnter)
{
    TempDir other;
    WriteFileBytes(other / L"Temp\\WebKit\\WKSetting.ini", "[ScrollPage]\r\n");
    CDialogSetDataFolder setFolder;
    HWND box = setFolder.CreateModeless();
    ASSERT_TRUE(box);
    ::ShowWindow(box, SW_SHOW);
    BringToFront(box);

    HWND field = setFolder.Item(IDC_DATAFOLDER_EDIT);
    ASSERT_EQ(::GetFocus(), field);
    DWORD start = 0, end = 0;
    ::SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, folder.DataFolder().size()) << "the stored folder, selected";

    const std::wstring typed = other.Path().substr(0, other.Path().size() - 1);
    Type(typed);
    ASSERT_TRUE(PumpDialogUntil(box, [&] { return win::GetWindowTextString(field) == typed; }))
        << Utf8(win::GetWindowTextString(field));
    Press(VK_RETURN);
    ASSERT_TRUE(PumpDialogUntil(box, [&] { return setFolder.HasEnded(); }));
    EXPECT_EQ(setFolder.Result(), IDOK);
    EXPECT_EQ(setFolder.AcceptedFolder(), other.Path());
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(KeyboardTest, SmallDialogsOpenCentredOnTheMainWindowOrTheScreen)
{
    ASSERT_TRUE(Open());
    // Away from the screen's centre, where the main dialog starts.
    ::SetWindowPos(Window(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const auto centre = [](const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; };
    RECT mainRect{};
    ::GetWindowRect(Window(), &mainRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(Window(), MONITOR_DEFAULTTOPRIMARY), &monitor);

    const std::function<std::unique_ptr<win::Dialog>(HWND)> makers[] = {
        [](HWND owner) {
            return std::make_unique<CAboutDlg>(owner, settings::SavedLanguageFilePath(settings::GetWorkingFolder()));
        },
        [](HWND owner) { return std::make_unique<CDialogSetDataFolder>(owner); },
    };
    for (const auto& make : makers)
        for (const bool owned : {true, false}) {
            std::unique_ptr<win::Dialog> box = make(owned ? Window() : nullptr);
            ASSERT_TRUE(box->CreateModeless());
            RECT r{};
            ::GetWindowRect(box->Handle(), &r);
            const POINT expected = centre(owned ? mainRect : monitor.rcWork);
            EXPECT_NEAR(centre(r).x, expected.x, 1) << "owned: " << owned;
            EXPECT_NEAR(centre(r).y, expected.y, 1) << "owned: " << owned;
        }
}

}  // namespace
