#include "fonts/OtherNamesReading.h"

#include "win/StepMarks.h"

namespace fonts {

OtherNamesReading::~OtherNamesReading()
{
    if (!worker_) return;
    stop_ = true;
    ::WaitForSingleObject(worker_.Get(), INFINITE);
}

bool OtherNamesReading::Start(HWND window, UINT readMessage)
{
    if (started_) return false;
    started_ = true;
    window_ = window;
    readMessage_ = readMessage;
    worker_ = win::KernelHandle(::CreateThread(nullptr, 0, Run, this, 0, nullptr));
    return static_cast<bool>(worker_);
}

DWORD WINAPI OtherNamesReading::Run(void* self)
{
    auto* reading = static_cast<OtherNamesReading*>(self);
    win::MarkStep(L"other-name look-up started");
    // A device context of the worker's own, as for the enumeration.
    win::MemoryDC dc(::CreateCompatibleDC(nullptr));
    const bool read = dc && reading->names_.Read(dc.Get(), &reading->stop_);
    win::MarkStep(L"other-name look-up done");
    if (read) ::PostMessageW(reading->window_, reading->readMessage_, 0, 0);
    return 0;
}

std::optional<std::wstring> OtherNamesReading::Find(const std::wstring& name)
{
    if (worker_) {
        ::WaitForSingleObject(worker_.Get(), INFINITE);
        worker_.Reset();
    }
    // Not read when no worker ran or it found no device context.
    return names_.Find(name);
}

}  // namespace fonts
