#pragma once
// tavlo2c started as a script starts it: in a folder, its output and errors redirected to a file.
#include "BenchMeasure.h"
#include "ProgramProcess.h"
#include "TestSupport.h"
#include "core/Paths.h"

#include <algorithm>
#include <string>

namespace bench {

// Seconds from the start to the end of `tavlo2c arguments` in `folder`, negative when it did not run to its
// end; `peak`, when given, receives its peak working set in megabytes, and `output` what it wrote.
inline double RunConsole(const std::wstring& arguments, const std::wstring& folder, double* peak = nullptr,
                         std::string* output = nullptr)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const std::wstring log = tavlo::GetFolderName(folder) + L"\\tavlo2c-bench.txt";
    HANDLE out = CreateFileW(log.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = out;
    std::wstring command = L"\"" + tavlo::GetFolderName(tavlo::test::ProgramPath()) + L"\\tavlo2c.exe\" " + arguments;
    bool ended = false;
    const double seconds = Seconds([&] {
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi)) return;
        double sampled = 0;
        ended = WaitSampling(pi.hProcess, 900000, sampled);
        if (peak) *peak = std::max(sampled, PeakMegabytes(pi.hProcess));
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    });
    CloseHandle(out);
    if (output) *output = tavlo::test::TempDir::ReadBytes(log);
    DeleteFileW(log.c_str());
    return ended ? seconds : -1;
}

} // namespace bench
