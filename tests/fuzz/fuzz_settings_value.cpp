// Each stored settings value's decoding: whatever the registry holds, a value or "absent", and a value
// that is written back reads the same.
#include "FuzzText.h"
#include "settings/ValueEncoding.h"

#include <cmath>

using namespace tavlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::wstring text = fuzz::WideText(data, size);
    ParseNumberText(text);
    if (const std::optional<bool> b = TextToBool(text)) fuzz::Require(TextToBool(BoolToText(*b)) == b, "bool round trip");
    if (const std::optional<std::int16_t> i = TextToInt16(text))
        fuzz::Require(TextToInt16(Int16ToText(*i)) == i, "integer round trip");
    if (const std::optional<float> f = TextToSingle(text)) {
        fuzz::Require(std::isfinite(*f), "a single is finite");
        const std::optional<float> again = TextToSingle(SingleToText(*f));
        fuzz::Require(again && std::fabs(*again - *f) <= std::fabs(*f) * 1e-6f, "single round trip");
    }
    return 0;
}
