// The installed faces, enumerated on a worker thread while the main window is
// being built: the enumeration needs no window and the window needs the faces
// only when its lists are filled.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/Handles.h"

namespace fonts {

class FaceEnumeration {
public:
    // Starts the worker. When no thread can be started, Take enumerates in
    // place instead, with the same result.
    FaceEnumeration();
    // Waits for a worker that was never taken from.
    ~FaceEnumeration();
    FaceEnumeration(const FaceEnumeration&) = delete;
    FaceEnumeration& operator=(const FaceEnumeration&) = delete;

    bool OnWorker() const { return static_cast<bool>(worker_); }

    // The faces of EnumerateInstalledFaces, in its order; waits for the
    // worker. Call once: the list is moved out.
    std::vector<std::wstring> Take();

private:
    static DWORD WINAPI Run(void* self);

    // Written by the worker only, read only after it has ended.
    std::vector<std::wstring> faces_;
    bool enumerated_ = false;
    win::KernelHandle worker_;
};

}  // namespace fonts
