#pragma once
// A drive letter the system does not use, mapped for the test's lifetime to a device that does not
// exist: to the program it is a drive that is listed but has no medium to read.
#include <windows.h>

#include <string>

namespace tavlo::test {

class DriveWithoutMedium {
public:
    DriveWithoutMedium()
    {
        DWORD used = GetLogicalDrives();
        for (wchar_t letter = L'Y'; letter >= L'M'; --letter) {
            if (used & (1u << (letter - L'A'))) continue;
            name_ = std::wstring{letter, L':'};
            if (DefineDosDeviceW(DDD_RAW_TARGET_PATH, name_.c_str(), kDevice)) return;
            name_.clear();
        }
    }
    ~DriveWithoutMedium()
    {
        if (!name_.empty())
            DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, name_.c_str(),
                             kDevice);
    }
    DriveWithoutMedium(const DriveWithoutMedium&) = delete;
    DriveWithoutMedium& operator=(const DriveWithoutMedium&) = delete;

    // "Q:", or empty when no letter could be mapped.
    const std::wstring& name() const { return name_; }

private:
    static constexpr const wchar_t* kDevice = L"\\Device\\Tavlo2NoMediumHere";
    std::wstring name_;
};

} // namespace tavlo::test
