// The main dialog's tooltips: every control of the two groups, the account
// list and the new-tab switches explains itself, in the language chosen.
#include "LanguageHarness.h"

#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <thread>

#include "i18n/TextTable.h"
#include "resource.h"

using namespace velltune::test;

namespace {

class ToolTipTest : public LanguageHarness {
protected:
    // The tooltip window the dialog owns.
    HWND FindToolTip() const
    {
        struct Search {
            HWND owner;
            HWND found = nullptr;
        } search{Window()};
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                wchar_t name[64] = {};
                ::GetClassNameW(w, name, 64);
                if (::lstrcmpiW(name, TOOLTIPS_CLASSW) == 0 && ::GetWindow(w, GW_OWNER) == s->owner) s->found = w;
                return s->found == nullptr;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // The tip of a control, or "<none>" when it is no tool of the tooltip.
    std::wstring TipOf(HWND tip, HWND control) const
    {
        std::wstring buffer(2048, L'\0');
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = Window();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        if (!::SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool))) return L"<none>";
        tool.lpszText = buffer.data();
        ::SendMessageW(tip, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
        return buffer.c_str();
    }
    // The controls that must explain themselves, found by where they are:
    // inside the two groups or the new-tab box (the boxes themselves aside),
    // and the account list with its label.
    std::vector<HWND> ExplainedControls() const
    {
        struct Search {
            HWND dialog;
            std::vector<RECT> boxes;
            std::vector<HWND> found;
        } search{Window(), {}, {}};
        for (int box : {IDC_GROUP_SCROLL, IDC_GROUP_NEWTAB, IDC_GROUP_FONT}) {
            RECT r{};
            ::GetWindowRect(::GetDlgItem(Window(), box), &r);
            search.boxes.push_back(r);
        }
        ::EnumChildWindows(
            Window(),
            [](HWND w, LPARAM p) -> BOOL {
                auto* s = reinterpret_cast<Search*>(p);
                const int id = ::GetDlgCtrlID(w);
                if (id == IDC_GROUP_SCROLL || id == IDC_GROUP_NEWTAB || id == IDC_GROUP_FONT) return TRUE;
                if (id == IDC_ACCOUNT_LIST || id == IDC_LABEL_ACCOUNT) {
                    s->found.push_back(w);
                    return TRUE;
                }
                RECT r{};
                ::GetWindowRect(w, &r);
                for (const RECT& box : s->boxes)
                    if (r.left >= box.left && r.right <= box.right && r.top >= box.top && r.bottom <= box.bottom) {
                        s->found.push_back(w);
                        break;
                    }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // Moves the real mouse to the middle of a window, then runs this thread's
    // messages until the condition holds or three seconds pass.
    bool HoverUntil(HWND over, const std::function<bool()>& condition) const
    {
        RECT box{};
        ::GetWindowRect(over, &box);
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dx = ((box.left + box.right) / 2) * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        move.mi.dy = ((box.top + box.bottom) / 2) * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        ::SendInput(1, &move, sizeof(move));
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < end) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            if (condition()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return condition();
    }
    // The text of the tip shown, or "" when none is.
    static std::wstring ShownText(HWND tip)
    {
        if (!::IsWindowVisible(tip)) return L"";
        std::wstring buffer(2048, L'\0');
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.lpszText = buffer.data();
        if (!::SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) return L"";
        return buffer.c_str();
    }
    // The key the dialog's table gives a control, or null.
    static const text::Key* TipKeyOf(int id)
    {
        for (const text::Caption& entry : text::kMainTips)
            if (entry.controlId == id) return &entry.key;
        return nullptr;
    }
};

TEST_F(ToolTipTest, EveryNamedControlExplainsItselfInTheLanguageChosen)
{
    const std::vector<std::wstring> shipped = CopyShippedLanguages();
    ASSERT_GE(shipped.size(), 5u);
    ASSERT_TRUE(Open());
    const std::vector<HWND> controls = ExplainedControls();
    // 2 radios, 4 labels, edits and spins, a reset button; the account list and
    // its label, 3 switches; 7 lists, 6 labels and the set-all switch, 4 labels,
    // edits and spins, a reset button.
    ASSERT_EQ(controls.size(), 15u + 5u + 27u);

    std::vector<std::wstring> order = shipped;
    order.push_back(L"English.ini");  // and back: the built-in texts return
    std::map<HWND, std::set<std::wstring>> seen;
    HWND tip = nullptr;
    for (const std::wstring& language : order) {
        if (language == L"English.ini")
            Command(ID_LANGUAGE_FIRST);
        else
            Choose(language);
        // The tips come with the mouse, as a user's: the first language is chosen before.
        if (!tip) {
            ASSERT_TRUE(HoverUntil(::GetDlgItem(Window(), IDOK), [&] { return (tip = FindToolTip()) != nullptr; }));
        }
        const std::wstring file = folder.Folder() + L"Language\\" + language;
        for (HWND control : controls) {
            const int id = ::GetDlgCtrlID(control);
            const text::Key* key = TipKeyOf(id);
            ASSERT_TRUE(key) << "control " << id << " has no tip";
            wchar_t expected[1024] = {};
            ::GetPrivateProfileStringW(L"General", key->name, key->english, expected, 1024, file.c_str());
            const std::wstring shown = TipOf(tip, control);
            EXPECT_EQ(shown, expected) << Utf8(language) << ", control " << id;
            EXPECT_FALSE(shown.empty()) << Utf8(language) << ", control " << id;
            seen[control].insert(shown);
        }
    }
    // Each language reads differently: no file leaves a tip in English.
    for (HWND control : controls) EXPECT_EQ(seen[control].size(), order.size()) << ::GetDlgCtrlID(control);
}

TEST_F(ToolTipTest, TheTipOfTheControlUnderTheMouseShowsAndGoes)
{
    ASSERT_TRUE(Open());
    ::SetForegroundWindow(Window());
    // The tips come with the mouse: over OK, which has none, first.
    HWND tip = nullptr;
    ASSERT_TRUE(HoverUntil(::GetDlgItem(Window(), IDOK), [&] { return (tip = FindToolTip()) != nullptr; }));
    // Edits, a label, a switch and a face list, which the tooltip watches
    // without subclassing it; then the set-all list, disabled at start: a
    // disabled control gets no mouse input and still explains itself.
    ASSERT_FALSE(::IsWindowEnabled(::GetDlgItem(Window(), IDC_FACE_SETALL)));
    for (int id : {IDC_EDIT_STEP, IDC_FACE_SERIF, IDC_CHECK_SETALL, IDC_LABEL_ACCOUNT, IDC_FACE_SETALL}) {
        const HWND control = ::GetDlgItem(Window(), id);
        EXPECT_TRUE(HoverUntil(control, [&] { return ShownText(tip) == TipOf(tip, control); }))
            << "control " << id << ", shown: " << Utf8(ShownText(tip));
    }
    // OK has no tip: moving there takes the last one away.
    EXPECT_TRUE(HoverUntil(::GetDlgItem(Window(), IDOK), [&] { return ShownText(tip).empty(); }));
}

}  // namespace
