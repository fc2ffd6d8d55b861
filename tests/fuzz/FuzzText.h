#pragma once
// Fuzz input as wide text: two bytes a character, so that every code unit (surrogates included) can
// turn up; and a way to stop on a broken property so that libFuzzer keeps the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavlo::fuzz {

inline std::wstring WideText(const std::uint8_t* data, std::size_t size)
{
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}

inline void Require(bool holds, const char* property)
{
    if (holds) return;
    std::fprintf(stderr, "broken property: %s\n", property);
    std::abort();
}

} // namespace tavlo::fuzz
