#include "win/Dialog.h"

#include <algorithm>
#include <climits>
#include <cwctype>

#include "win/MessageBox.h"
#include "win/Text.h"

namespace win {

bool ParseWholeInt(const std::wstring& text, int& value)
{
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    const size_t firstDigit = i;
    long long magnitude = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        magnitude = magnitude * 10 + (text[i] - L'0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) return false;
        ++i;
    }
    if (i == firstDigit) return false;
    while (i < text.size() && std::iswspace(text[i])) ++i;
    if (i != text.size()) return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX || signedValue < INT_MIN) return false;
    value = static_cast<int>(signedValue);
    return true;
}

void DataExchange::Int(int editId, int& value, int minValue, int maxValue)
{
    if (failed_) return;
    HWND edit = dialog_.Item(editId);
    if (!saving_) {
        const std::wstring text = FormatInt(value);
        if (GetWindowTextString(edit) != text) ::SetWindowTextW(edit, text.c_str());
        return;
    }
    int parsed = 0;
    if (!ParseWholeInt(GetWindowTextString(edit), parsed)) {
        Fail(edit, dialog_.EnterIntegerText());
        return;
    }
    if (parsed < minValue || parsed > maxValue) {
        Fail(edit, FormatPlaceholders(dialog_.EnterIntegerInRangeText(), {FormatInt(minValue), FormatInt(maxValue)}));
        return;
    }
    value = parsed;
}

void DataExchange::Fail(HWND edit, const std::wstring& message)
{
    failed_ = true;
    ShowMessage(dialog_.Handle(), message);
    ::SetFocus(edit);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
}

void CentreOnOwner(HWND dialog)
{
    HWND owner = ::GetWindow(dialog, GW_OWNER);
    const bool onOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(onOwner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
    const RECT work = monitor.rcWork;
    RECT area = work;
    if (onOwner) ::GetWindowRect(owner, &area);

    RECT box{};
    ::GetWindowRect(dialog, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int x = std::clamp<int>(area.left + (area.right - area.left - width) / 2, work.left,
                                  std::max<int>(work.left, work.right - width));
    const int y = std::clamp<int>(area.top + (area.bottom - area.top - height) / 2, work.top,
                                  std::max<int>(work.top, work.bottom - height));
    ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Dialog::~Dialog()
{
    if (hwnd_ && !modal_) ::DestroyWindow(hwnd_);
}

INT_PTR Dialog::DoModal()
{
    modal_ = true;
    ended_ = false;
    const INT_PTR result = ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent_,
                                             DialogProc, reinterpret_cast<LPARAM>(this));
    result_ = result;
    ended_ = true;
    return result;
}

HWND Dialog::CreateModeless(HWND parent)
{
    modal_ = false;
    ended_ = false;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent ? parent : parent_,
                                DialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::UpdateData(bool saveAndValidate)
{
    DataExchange dx(*this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

void Dialog::EndDialog(INT_PTR result)
{
    result_ = result;
    ended_ = true;
    if (modal_)
        ::EndDialog(hwnd_, result);
    else
        ::ShowWindow(hwnd_, SW_HIDE);
}

void Dialog::SetValidationTexts(std::wstring enterInteger, std::wstring enterIntegerInRange)
{
    enterInteger_ = std::move(enterInteger);
    enterIntegerInRange_ = std::move(enterIntegerInRange);
}

BOOL Dialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

BOOL Dialog::OnCommand(WPARAM wParam, LPARAM /*lParam*/)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (RouteCommand(code, id)) return TRUE;
    if (code == BN_CLICKED && id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (code == BN_CLICKED && id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void Dialog::OnOK()
{
    if (UpdateData(true)) EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        return self->OnInitDialog();
    }
    self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;

    switch (message) {
    case WM_COMMAND:
        return self->OnCommand(wParam, lParam);
    case WM_NCDESTROY:
        self->hwnd_ = nullptr;
        return FALSE;
    default: {
        INT_PTR result = 0;
        if (!self->OnWindowMessage(message, wParam, lParam, result)) return FALSE;
        // Messages whose answer is the return value itself (e.g. WM_QUERYDRAGICON).
        ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
        return result ? result : TRUE;
    }
    }
}

}  // namespace win
