#pragma once
// Records a failed Win32 call: the API's name, GetLastError, file and line go to the debugger output.
// The caller still returns the failure to its own caller; this only leaves a trace for diagnosis.
namespace rt {

void LogLastError(const char* api, const char* file, int line);

}  // namespace rt

// Logs the call `api` that just failed, with the current GetLastError, file and line.
#define RT_LOG_LAST_ERROR(api) ::rt::LogLastError(api, __FILE__, __LINE__)
