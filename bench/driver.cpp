// Prints figures for scripts/bench: for each program, the time from
// CreateProcessW to its dialog being idle and visible, and its peak memory
// read just before it is closed, over several runs; the first program
// (Velltune) against the second (its bare template) pair by pair, each pair
// started one after the other, so that a slow moment of a shared machine
// weighs on both of a pair and the median of the pair ratios stays steady
// where the single times do not; for the first program also the time of one
// Apply with the guard; the time to fill a face list on its first use; and, from further
// runs as a debuggee, the moment of each step that Velltune marks, and when
// each dialog is first seen visible and then idle.
// Figures only: nothing here passes or fails.
//
//   driver.exe RUNS EXE TITLE EXE TITLE [EXE TITLE ...]
// The first program is compared with each of the others.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "fonts/FaceCombo.h"
#include "fonts/FamilyNames.h"
#include "fonts/InstalledFaces.h"
#include "resource.h"
#include "win/Dialog.h"
#include "win/Handles.h"

namespace {

double Now()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Stats {
    double median, low, high;
};

Stats Summarise(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    return {median, samples.front(), samples.back()};
}

struct FindState {
    DWORD process;
    const wchar_t* title;
    HWND found;
};

HWND FindVisibleDialog(DWORD process, const wchar_t* title)
{
    FindState state{process, title, nullptr};
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<FindState*>(p);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            wchar_t cls[16] = {}, text[64] = {};
            ::GetClassNameW(w, cls, 16);
            ::GetWindowTextW(w, text, 64);
            if (owner == s->process && ::IsWindowVisible(w) && std::wstring(cls) == L"#32770" &&
                std::wstring(text) == s->title) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&state));
    return state.found;
}

struct Sample {
    double startup = -1;  // ms from CreateProcessW to the visible, idle dialog
    double apply = -1;    // ms of one Apply, when measured
    double peakWorkingSet = 0, peakPagefile = 0;  // MB
};

// Picks the first account, changes Step Size, and times Apply from the click
// to the button being disabled again, which the dialog does once all three
// saves have succeeded; negative when Apply did not finish.
double TimeApply(HWND window, int run)
{
    HWND step = ::GetDlgItem(window, IDC_EDIT_STEP), accounts = ::GetDlgItem(window, IDC_ACCOUNT_LIST);
    HWND apply = ::GetDlgItem(window, IDC_APPLY);
    DWORD_PTR ignored = 0;
    // Dropped down and closed first, as a user opens the list to choose.
    ::SendMessageTimeoutW(accounts, CB_SHOWDROPDOWN, TRUE, 0, SMTO_NORMAL, 10000, &ignored);
    ::SendMessageTimeoutW(accounts, CB_SHOWDROPDOWN, FALSE, 0, SMTO_NORMAL, 10000, &ignored);
    ::SendMessageTimeoutW(accounts, CB_SETCURSEL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    ::SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(IDC_ACCOUNT_LIST, CBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(accounts), SMTO_NORMAL, 10000, &ignored);
    // Another value on every run, so that the text always changes.
    const wchar_t* value = run % 2 ? L"200" : L"210";
    ::SendMessageTimeoutW(step, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value), SMTO_NORMAL, 10000, &ignored);
    if (!::IsWindowEnabled(apply)) return -1;
    const double start = Now();
    // Sent, so it returns once the click's handler is done (or shows a message).
    ::SendMessageTimeoutW(apply, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored);
    while (::IsWindowEnabled(apply))
        if (Now() - start > 10000) return -1;
    return Now() - start;
}

// Starts the program with the given creation flags; false when it cannot be started.
bool StartProgram(const std::wstring& exe, DWORD flags, PROCESS_INFORMATION& info)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                            &info) != FALSE;
}

Sample RunOnce(const std::wstring& exe, const wchar_t* title, bool apply, int run)
{
    Sample sample;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!StartProgram(exe, 0, info)) return sample;
    win::KernelHandle process(info.hProcess), thread(info.hThread);
    ::WaitForInputIdle(process.Get(), 30000);
    HWND window = nullptr;
    while (Now() - start < 30000) {
        window = FindVisibleDialog(info.dwProcessId, title);
        if (window) {
            sample.startup = Now() - start;
            break;
        }
        if (::WaitForSingleObject(process.Get(), 1) == WAIT_OBJECT_0) break;
    }
    if (window && apply) sample.apply = TimeApply(window, run);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process.Get(), &memory, sizeof memory)) {
        sample.peakWorkingSet = static_cast<double>(memory.PeakWorkingSetSize) / (1024 * 1024);
        sample.peakPagefile = static_cast<double>(memory.PeakPagefileUsage) / (1024 * 1024);
    }
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.Get(), 1);
    return sample;
}

// One start of a program as a debuggee: the moments of the steps it marks
// (win::MarkStep), of its dialog first seen visible, and of the dialog
// visible and idle, in ms from CreateProcessW. Being debugged slows a start a
// little (every library load stops it), so these runs are kept apart from
// the medians above.
struct Trace {
    std::vector<std::pair<std::string, double>> steps;
    double visible = -1, idle = -1;
};

void ReadStep(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info, double start, Trace& trace)
{
    const size_t unit = info.fUnicode ? 2 : 1;
    std::string bytes(info.nDebugStringLength * unit, '\0');
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, info.lpDebugStringData, bytes.data(), bytes.size(), &read)) return;
    std::string line;
    for (size_t i = 0; i + unit <= read; i += unit) {
        const char c = bytes[i];
        if (c == '\0') break;
        line += c;  // the marks are ASCII
    }
    long long ticks = 0;
    int consumed = 0;
    if (std::sscanf(line.c_str(), "velltune-step %lld %n", &ticks, &consumed) != 1 || consumed == 0) return;
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    trace.steps.emplace_back(line.substr(static_cast<size_t>(consumed)),
                             1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart) - start);
}

// True while a step "X started" has no "X done" yet: the program still works
// on something it began after its dialog was idle, which the trace should see end.
bool Unfinished(const Trace& trace)
{
    for (const auto& step : trace.steps) {
        const std::string& name = step.first;
        const size_t at = name.rfind(" started");
        if (at == std::string::npos || at + 8 != name.size()) continue;
        const std::string done = name.substr(0, at) + " done";
        if (std::none_of(trace.steps.begin(), trace.steps.end(), [&](const auto& s) { return s.first == done; }))
            return true;
    }
    return false;
}

Trace RunTraced(const std::wstring& exe, const wchar_t* title)
{
    Trace trace;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!StartProgram(exe, DEBUG_ONLY_THIS_PROCESS, info)) return trace;
    win::KernelHandle process(info.hProcess), thread(info.hThread);
    HWND window = nullptr;
    bool closing = false;
    for (;;) {
        DEBUG_EVENT event{};
        if (::WaitForDebugEvent(&event, 1)) {
            DWORD answer = DBG_CONTINUE;
            if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT) {
                const win::KernelHandle image(event.u.CreateProcessInfo.hFile);
            } else if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT) {
                const win::KernelHandle library(event.u.LoadDll.hFile);
            } else if (event.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT) {
                ReadStep(process.Get(), event.u.DebugString, start, trace);
            } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                       event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                answer = DBG_EXCEPTION_NOT_HANDLED;
            }
            ::ContinueDebugEvent(event.dwProcessId, event.dwThreadId, answer);
            if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT) break;
            continue;
        }
        const double now = Now() - start;
        if (closing) {
            if (now > 60000) ::TerminateProcess(process.Get(), 1);
            continue;
        }
        if (!window && (window = FindVisibleDialog(info.dwProcessId, title))) trace.visible = now;
        if (window && trace.idle < 0 && ::WaitForInputIdle(process.Get(), 0) == 0) trace.idle = now;
        if (trace.idle >= 0 && !Unfinished(trace)) {
            ::PostMessageW(window, WM_CLOSE, 0, 0);
            closing = true;
        } else if (now > 30000) {
            ::TerminateProcess(process.Get(), 1);
            closing = true;
        }
    }
    return trace;
}

// One face list of a hidden main-dialog template given its entries on first
// use, as Velltune fills it: showing one face before, as at start.
double TimeFirstUse(const std::vector<std::wstring>& faces)
{
    win::Dialog dialog(IDD_VELLTUNE_DIALOG);
    if (!dialog.CreateModeless() || faces.empty()) return -1;
    fonts::FaceCombo list(dialog.Item(IDC_FACE_SERIF), &faces);
    if (const std::optional<int> shown = list.FindNoCase(faces[faces.size() / 2])) list.Select(*shown);
    const double start = Now();
    list.Fill();
    return Now() - start;
}

// The reading of the installed families' other names, as Velltune's worker
// makes it for a stored face no list entry matches: one font per family
// opened on a memory device context to read its name table.
double TimeOtherNames(const std::vector<std::wstring>& faces)
{
    win::MemoryDC dc(::CreateCompatibleDC(nullptr));
    fonts::OtherFamilyNames names(faces);
    const double start = Now();
    if (!dc || !names.Read(dc.Get())) return -1;
    return Now() - start;
}

void Print(const char* what, const Stats& s)
{
    std::printf("  %-44s %8.1f ms   (%.1f - %.1f)\n", what, s.median, s.low, s.high);
}

void PrintRatio(const char* what, const Stats& s)
{
    std::printf("  %-44s %8.2f      (%.2f - %.2f)\n", what, s.median, s.low, s.high);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 6 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: driver RUNS EXE TITLE EXE TITLE [EXE TITLE ...]\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    // Wine keeps what the first enumeration of a process finds: the first is
    // what a start-up pays, the others show the call itself.
    std::vector<double> enumeration;
    std::vector<std::wstring> faces;
    double firstEnumeration = 0;
    for (int r = 0; r <= runs; ++r) {
        const double start = Now();
        faces = fonts::EnumerateInstalledFaces();
        if (r == 0)
            firstEnumeration = Now() - start;
        else
            enumeration.push_back(Now() - start);
    }
    std::vector<double> firstUse;
    for (int r = 0; r < runs; ++r) firstUse.push_back(TimeFirstUse(faces));
    // The first look-up in a process opens every font for the first time.
    std::vector<double> otherNames;
    const double firstOtherNames = TimeOtherNames(faces);
    for (int r = 0; r < runs; ++r) otherNames.push_back(TimeOtherNames(faces));

    const int programs = (argc - 2) / 2;
    std::vector<std::vector<Sample>> samples(static_cast<size_t>(programs));
    // One unmeasured start each, so that the first measured run finds the
    // files in the cache like all the others; then the programs alternate.
    for (int r = -1; r < runs; ++r) {
        for (int p = 0; p < programs; ++p) {
            const Sample sample = RunOnce(argv[2 + 2 * p], argv[3 + 2 * p], p == 0, r);
            if (sample.startup < 0 || (p == 0 && sample.apply < 0)) {
                std::fprintf(stderr, "%ls did not show \"%ls\" or did not apply\n", argv[2 + 2 * p], argv[3 + 2 * p]);
                return 1;
            }
            if (r >= 0) samples[static_cast<size_t>(p)].push_back(sample);
        }
    }
    const auto figures = [&](int p, double Sample::*field) {
        std::vector<double> values;
        for (const Sample& sample : samples[static_cast<size_t>(p)]) values.push_back(sample.*field);
        return Summarise(values);
    };
    std::vector<std::string> names;
    for (int p = 0; p < programs; ++p) {
        std::wstring name = argv[2 + 2 * p];
        name = name.substr(name.find_last_of(L"\\/") + 1);
        char label[64];
        std::snprintf(label, sizeof label, "%ls", name.c_str());
        names.push_back(label);
    }

    std::printf("%zu font families; medians of %d runs (min - max)\n\n", faces.size(), runs);
    std::printf("In-process work:\n");
    std::printf("  %-44s %8.1f ms   (once)\n", "font-family enumeration, first in a process", firstEnumeration);
    Print("font-family enumeration, again", Summarise(enumeration));
    Print("one face list filled on its first use", Summarise(firstUse));
    std::printf("  %-44s %8.1f ms   (once)\n", "other-name look-up, first in a process", firstOtherNames);
    Print("other-name look-up, again", Summarise(otherNames));
    std::printf("  (Velltune makes the look-up only for a stored face that no list entry matches, on a\n"
                "   worker once its first frame is drawn; see \"other-name look-up\" in the steps below)\n");

    std::printf("\nProcess start to visible, idle dialog:\n");
    for (int p = 0; p < programs; ++p) Print(names[static_cast<size_t>(p)].c_str(), figures(p, &Sample::startup));
    const double velltune = figures(0, &Sample::startup).median;
    for (int p = 1; p < programs; ++p) {
        const double other = figures(p, &Sample::startup).median;
        std::printf("  %-44s %8.1f ms   = %.2f times\n", ("first above " + names[static_cast<size_t>(p)]).c_str(),
                    velltune - other, velltune / other);
    }
    // Run r of the first two programs is one pair: started one after the other.
    const auto pairRatios = [&](double Sample::*field) {
        std::vector<double> ratios;
        for (size_t r = 0; r < samples[0].size(); ++r) ratios.push_back(samples[0][r].*field / samples[1][r].*field);
        return Summarise(ratios);
    };
    std::printf("\n%s against %s, pair by pair (median of %d pair ratios, min - max):\n", names[0].c_str(),
                names[1].c_str(), runs);
    PrintRatio("process start to visible, idle dialog", pairRatios(&Sample::startup));
    PrintRatio("peak working set", pairRatios(&Sample::peakWorkingSet));

    // Step by step, as debuggees: the first program marks its steps itself.
    std::vector<std::vector<Trace>> traces(static_cast<size_t>(programs));
    for (int r = 0; r < runs; ++r)
        for (int p = 0; p < programs; ++p) traces[static_cast<size_t>(p)].push_back(RunTraced(argv[2 + 2 * p], argv[3 + 2 * p]));
    std::printf("\nStart-up step by step, as a debuggee (medians of %d runs, ms from process start;\n"
                "the first visible frame is the main dialog's first paint):\n",
                runs);
    std::vector<std::string> steps;
    for (const Trace& trace : traces[0])
        for (const auto& step : trace.steps)
            if (std::find(steps.begin(), steps.end(), step.first) == steps.end()) steps.push_back(step.first);
    for (const std::string& step : steps) {
        std::vector<double> values;
        for (const Trace& trace : traces[0])
            for (const auto& [name, ms] : trace.steps)
                if (name == step) values.push_back(ms);
        Print((names[0] + ": " + step).c_str(), Summarise(values));
    }
    const auto traced = [&](int p, double Trace::*field) {
        std::vector<double> values;
        for (const Trace& trace : traces[static_cast<size_t>(p)])
            if (trace.*field >= 0) values.push_back(trace.*field);
        return values.empty() ? Stats{-1, -1, -1} : Summarise(values);
    };
    for (int p = 0; p < programs; ++p) {
        Print((names[static_cast<size_t>(p)] + ": dialog first seen visible").c_str(), traced(p, &Trace::visible));
        Print((names[static_cast<size_t>(p)] + ": visible and idle").c_str(), traced(p, &Trace::idle));
    }

    std::printf("\nOne Apply with the guard (Step Size changed, an account chosen; click to Apply disabled):\n");
    Print(names[0].c_str(), figures(0, &Sample::apply));

    std::printf("\nPeak memory of the process, read before closing it (MB):\n");
    std::printf("  %-44s %10s %10s\n", "", "working set", "pagefile");
    for (int p = 0; p < programs; ++p)
        std::printf("  %-44s %10.1f %10.1f\n", names[static_cast<size_t>(p)].c_str(),
                    figures(p, &Sample::peakWorkingSet).median, figures(p, &Sample::peakPagefile).median);
    for (int p = 1; p < programs; ++p)
        std::printf("  %-44s %10.2f %10.2f times\n", ("first against " + names[static_cast<size_t>(p)]).c_str(),
                    figures(0, &Sample::peakWorkingSet).median / figures(p, &Sample::peakWorkingSet).median,
                    figures(0, &Sample::peakPagefile).median / figures(p, &Sample::peakPagefile).median);
    return 0;
}
