#include "ui/Twips.h"

#include "common/GdiHandles.h"

#include <windows.h>

#include <cmath>
#include <stdexcept>

namespace tavlo {

double RoundHalfEven(double value)
{
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

bool TwipsScale::OnAMonitor(float left, float top) const
{
    return MonitorFromPoint(POINT{XToPixels(left), YToPixels(top)}, MONITOR_DEFAULTTONULL) != nullptr;
}

float RoundTwips(double value)
{
    return std::isfinite(value) ? static_cast<float>(RoundHalfEven(value)) : 0.0f;
}

std::int16_t CInt(double value)
{
    if (std::isnan(value)) throw std::range_error("CInt");
    double r = RoundHalfEven(value);
    if (r < -32768.0 || r > 32767.0) throw std::range_error("CInt");
    return static_cast<std::int16_t>(r);
}

TwipsScale::TwipsScale(int dpiX, int dpiY) : dpiX_(dpiX > 0 ? dpiX : 96), dpiY_(dpiY > 0 ? dpiY : 96) {}

int TwipsScale::XToPixels(double twips) const
{
    return static_cast<int>(RoundHalfEven(twips * dpiX_ / kTwipsPerInch));
}

int TwipsScale::YToPixels(double twips) const
{
    return static_cast<int>(RoundHalfEven(twips * dpiY_ / kTwipsPerInch));
}

float TwipsScale::XToTwips(int pixels) const
{
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpiX_);
}

float TwipsScale::YToTwips(int pixels) const
{
    return static_cast<float>(static_cast<double>(pixels) * kTwipsPerInch / dpiY_);
}

const TwipsScale& TwipsScale::Screen()
{
    static const TwipsScale screen = [] {
        const WindowDc dc(nullptr);
        return TwipsScale(dc ? GetDeviceCaps(dc.get(), LOGPIXELSX) : 96, dc ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 96);
    }();
    return screen;
}

TwipsScale TwipsScale::ForWindow(HWND window)
{
    // Looked up at run time: older systems have no per-window resolution.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = window && dpiForWindow ? dpiForWindow(window) : 0;
    if (dpi == 0) return Screen();
    return TwipsScale(static_cast<int>(dpi), static_cast<int>(dpi));
}

} // namespace tavlo
