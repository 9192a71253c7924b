// The other names of the installed families, read on a worker thread once the
// main window has shown itself. Reading them opens one font per family, which
// costs a start-up with thousands of families most of a second, and only a
// stored face that no list entry matches needs them: the window shows such a
// face as not installed until they are in, then as its family if it has one.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "fonts/FamilyNames.h"
#include "win/Handles.h"

namespace fonts {

class OtherNamesReading {
public:
    // installed: not owned; must outlive this object.
    explicit OtherNamesReading(const std::vector<std::wstring>& installed) : names_(installed) {}
    // Stops a worker that is still reading and waits for it.
    ~OtherNamesReading();
    OtherNamesReading(const OtherNamesReading&) = delete;
    OtherNamesReading& operator=(const OtherNamesReading&) = delete;

    // Starts the worker, which posts the message to the window once the names
    // are read. False when a worker ran before or no thread can be started:
    // Find then reads in place.
    bool Start(HWND window, UINT readMessage);

    // As OtherFamilyNames::Find: waits for a worker still reading, or reads
    // on this thread when none has read them.
    std::optional<std::wstring> Find(const std::wstring& name);

private:
    static DWORD WINAPI Run(void* self);

    OtherFamilyNames names_;  // written by the worker only until it has ended
    std::atomic<bool> stop_{false};
    HWND window_ = nullptr;
    UINT readMessage_ = 0;
    bool started_ = false;
    win::KernelHandle worker_;
};

}  // namespace fonts
