#include "runtime/LastError_win.h"

#include <windows.h>

#include <cstdio>

namespace rt {

void LogLastError(const char* api, const char* file, int line)
{
    const DWORD error = GetLastError();
    char text[512];
    std::snprintf(text, sizeof text, "%s failed, error %lu (%s:%d)\n", api, static_cast<unsigned long>(error), file,
                  line);
    OutputDebugStringA(text);
    SetLastError(error);  // logging must not change what the caller may still read
}

}  // namespace rt
