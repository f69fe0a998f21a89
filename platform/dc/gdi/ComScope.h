// COM for the calling thread while the Windows Imaging Component works, unless the thread
// already has it (in whatever apartment: COM is then usable as it is).
#pragma once

#include <objbase.h>

class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_result))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};
