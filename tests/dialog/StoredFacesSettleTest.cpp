// A stored face that no face-list entry matches waits for the other names of
// the installed families, read after the first frame: a face stored under
// another name of an installed family is then shown as that family, one
// installed under no name stays its own entry marked not installed, and an
// Apply saves each as stored, whether it came before the names were read or
// after, and whether the lists were used first or not. A program that reads a
// list before the names are read finds what the user will see.
#include <atomic>
#include <chrono>
#include <thread>

#include "MainDialogHarness.h"
#include "fonts/FaceCombo.h"

using namespace velltune::test;

namespace {

class StoredFacesSettle : public MainDialogHarness {};

TEST_F(StoredFacesSettle, ListsShowAndApplySavesWhatTheyDidWhenTheOtherNamesWereReadAtStart)
{
    // Listed as "WenQuanYi Zen Hei" under an English system.
    const std::wstring otherName = L"\u6587\u6cc9\u9a7f\u6b63\u9ed1";
    folder.WriteEngineFile(Utf16LeFileBytes(L"[Font]\r\nSerifFontFamily=" + otherName +
                                            L"\r\nFixedFontFamily=No Such Face\r\n"));
    struct Case {
        bool listsUsedFirst;
        bool namesReadFirst;  // the worker's reading arrived before Apply
        bool readByAnotherThreadFirst;
    };
    const Case cases[] = {{false, false, false}, {false, true, false}, {true, false, false}, {true, true, false},
                          {false, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "lists used first " << c.listsUsedFirst << ", names read first "
                                        << c.namesReadFirst << ", read by another thread " << c.readByAnotherThreadFirst);
        CVelltuneDlg fresh;
        ASSERT_TRUE(fresh.CreateModeless());
        ::ShowWindow(fresh.Handle(), SW_SHOW);
        ASSERT_TRUE(fresh.OtherNamesAwaited());
        if (c.namesReadFirst) {
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (fresh.OtherNamesAwaited() && std::chrono::steady_clock::now() < end) {
                PumpMessages();
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            ASSERT_FALSE(fresh.OtherNamesAwaited()) << "the names were never read after the first frame";
        }
        if (c.readByAnotherThreadFirst) {
            HWND serif = fresh.Item(IDC_FACE_SERIF);
            std::wstring seen(64, L'\0');
            std::atomic<bool> done = false;
            std::thread reader([&] {
                const LRESULT at = ::SendMessageW(serif, CB_GETCURSEL, 0, 0);
                ::SendMessageW(serif, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(seen.data()));
                done = true;
            });
            // Sent messages only: no timer runs, so nothing else reads the names.
            while (!done) {
                MSG msg;
                ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_SENDMESSAGE);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            reader.join();
            EXPECT_EQ(std::wstring(seen.c_str()), L"WenQuanYi Zen Hei");
        }
        const auto dropDown = [&fresh](int id) {
            ::SendMessageW(fresh.Item(id), CB_SHOWDROPDOWN, TRUE, 0);
            ::SendMessageW(fresh.Item(id), CB_SHOWDROPDOWN, FALSE, 0);
        };
        if (c.listsUsedFirst)
            for (int id : {IDC_FACE_SERIF, IDC_FACE_FIXED}) dropDown(id);
        ::SendMessageW(fresh.Handle(), WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED),
                       reinterpret_cast<LPARAM>(fresh.Item(IDC_APPLY)));
        const std::wstring file = folder.EngineFile();
        wchar_t saved[64] = {};
        ::GetPrivateProfileStringW(L"Font", L"SerifFontFamily", L"", saved, 64, file.c_str());
        EXPECT_EQ(saved, otherName);
        ::GetPrivateProfileStringW(L"Font", L"FixedFontFamily", L"", saved, 64, file.c_str());
        EXPECT_EQ(std::wstring(saved), L"No Such Face");

        // Shown as the family, and as its own marked entry, among every installed face.
        const size_t installed = fresh.InstalledFaces().size();
        const struct {
            int id;
            const wchar_t* shown;
            size_t entries;
            LRESULT data;
        } lists[] = {{IDC_FACE_SERIF, L"WenQuanYi Zen Hei", installed, 0},
                     {IDC_FACE_FIXED, L"No Such Face", installed + 1, fonts::kNotInstalledItemData}};
        for (const auto& list : lists) {
            dropDown(list.id);
            std::vector<std::wstring> entries;
            std::vector<LRESULT> itemData;
            ReadComboEntries(fresh.Item(list.id), entries, itemData);
            const LRESULT at = ::SendMessageW(fresh.Item(list.id), CB_GETCURSEL, 0, 0);
            ASSERT_GE(at, 0) << list.id;
            EXPECT_EQ(entries[static_cast<size_t>(at)], list.shown) << list.id;
            EXPECT_EQ(itemData[static_cast<size_t>(at)], list.data) << list.id;
            EXPECT_EQ(entries.size(), list.entries) << list.id;
        }
    }
    EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
