// The face lists of the main dialog filled from the enumeration worker's
// result, against the same lists filled from an enumeration in place.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MainDialogFixture.h"
#include "fonts/FaceEnumeration.h"
#include "resource.h"
#include "ui/VelltuneDlg.h"

using namespace velltune::test;

namespace {

struct ListState {
    std::vector<std::wstring> entries;
    std::vector<LRESULT> itemData;
    LRESULT itemHeight, droppedWidth, selection;

    bool operator==(const ListState&) const = default;
};

ListState StateOf(HWND list)
{
    ListState state{};
    ReadComboEntries(list, state.entries, state.itemData);
    state.itemHeight = ::SendMessageW(list, CB_GETITEMHEIGHT, 0, 0);
    state.droppedWidth = ::SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0);
    state.selection = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
    return state;
}

TEST(FaceWorker, ListsFilledFromTheWorkerEqualThoseFilledInPlace)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    WorkingFolderFixture folder;
    // A stored face that is installed and one that is not, so that the
    // selections and any marked entries are compared too.
    folder.WriteEngineFile("[Font]\r\nSerifFontFamily=DejaVu Serif\r\nFixedFontFamily=No Such Face\r\n");
    MessageBoxWatcher boxes;

    fonts::FaceEnumeration worker;
    ASSERT_TRUE(worker.OnWorker());
    CVelltuneDlg fromWorker(&worker);
    CVelltuneDlg inPlace;
    ASSERT_TRUE(fromWorker.CreateModeless());
    ASSERT_TRUE(inPlace.CreateModeless());

    ASSERT_FALSE(inPlace.InstalledFaces().empty());
    EXPECT_EQ(fromWorker.InstalledFaces(), inPlace.InstalledFaces());
    const int lists[] = {IDC_FACE_SERIF,   IDC_FACE_SANSSERIF, IDC_FACE_STANDARD, IDC_FACE_FIXED,
                         IDC_FACE_CURSIVE, IDC_FACE_FANTASY,   IDC_FACE_SETALL};
    for (int id : lists) {
        for (HWND list : {fromWorker.Item(id), inPlace.Item(id)}) {
            ::SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
            ::SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
        }
        const ListState expected = StateOf(inPlace.Item(id));
        EXPECT_FALSE(expected.entries.empty()) << "list " << id;
        EXPECT_TRUE(StateOf(fromWorker.Item(id)) == expected) << "list " << id;
    }
    EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
