#include "fonts/FaceEnumeration.h"

#include "fonts/InstalledFaces.h"
#include "win/StepMarks.h"

namespace fonts {

FaceEnumeration::FaceEnumeration() : worker_(::CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}

FaceEnumeration::~FaceEnumeration()
{
    if (worker_) ::WaitForSingleObject(worker_.Get(), INFINITE);
}

DWORD WINAPI FaceEnumeration::Run(void* self)
{
    // A device context of the worker's own: the screen's belongs to the
    // window thread's world, and this thread touches no window.
    win::MemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc) return 0;
    auto* enumeration = static_cast<FaceEnumeration*>(self);
    enumeration->faces_ = EnumerateInstalledFaces(dc.Get());
    enumeration->enumerated_ = true;
    win::MarkStep(L"faces enumerated on the worker");
    return 0;
}

std::vector<std::wstring> FaceEnumeration::Take()
{
    if (!worker_) return EnumerateInstalledFaces();
    ::WaitForSingleObject(worker_.Get(), INFINITE);
    worker_.Reset();
    // A worker without a device context found nothing; the screen's may do.
    if (!enumerated_) return EnumerateInstalledFaces();
    return std::move(faces_);
}

}  // namespace fonts
