// The platform's text services for the build outside Windows (clang, sanitizers, fuzzers): case
// mapping by the C library's Unicode tables, code page 932 lengths by its converter, the run stamp from
// the standard clock. The Windows build has its own in PlatformText.cpp and JournalStore.cpp.
#ifndef _WIN32

#include "common/JournalStore.h"
#include "common/PlatformText.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>
#include <random>

namespace tavlo {

namespace {

locale_t UnicodeLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return locale;
}

template <class Map>
std::wstring MapEach(const std::wstring& text, Map map)
{
    std::wstring out(text);
    for (wchar_t& c : out) c = static_cast<wchar_t>(map(static_cast<wint_t>(c), UnicodeLocale()));
    return out;
}

// The bytes of one character in code page 932: 1 or 2, and 1 for a character the code page lacks (the
// Windows conversion puts a one-byte '?' in its place).
std::size_t Cp932Bytes(wchar_t c)
{
    if (c < 0x80) return 1;
    static std::mutex lock;
    static iconv_t converter = iconv_open("CP932", "WCHAR_T");
    if (converter == reinterpret_cast<iconv_t>(-1)) return 1;
    const std::lock_guard<std::mutex> hold(lock);
    wchar_t in[1] = {c};
    char out[8];
    char* inPtr = reinterpret_cast<char*>(in);
    char* outPtr = out;
    std::size_t inLeft = sizeof in, outLeft = sizeof out;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 1;
    return sizeof out - outLeft;
}

} // namespace

std::wstring PlatformLower(const std::wstring& text) { return MapEach(text, towlower_l); }
std::wstring PlatformUpper(const std::wstring& text) { return MapEach(text, towupper_l); }

std::size_t Cp932ByteLength(const std::wstring& text)
{
    std::size_t bytes = 0;
    for (wchar_t c : text) bytes += Cp932Bytes(c);
    return bytes;
}

std::wstring JournalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string NewJournalRunId()
{
    static std::atomic<unsigned> counter{0};
    static const unsigned long long seed = std::random_device{}();
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(seed) + "-" + std::to_string(ticks) + "-" + std::to_string(++counter);
}

} // namespace tavlo

#endif
