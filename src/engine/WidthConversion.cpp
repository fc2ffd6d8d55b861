#include "engine/WidthConversion.h"

#include <array>

namespace tavlo {
namespace {

constexpr wchar_t kVoicedMark = 0xFF9E;     // ﾞ
constexpr wchar_t kSemiVoicedMark = 0xFF9F; // ﾟ

// ASCII letters and digits sit at a fixed distance from their full-width forms.
constexpr wchar_t kAsciiOffset = 0xFEE0;

bool IsAsciiAlnum(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool IsFullWidthAlnum(wchar_t c)
{
    return (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF41 && c <= 0xFF5A) || (c >= 0xFF21 && c <= 0xFF3A);
}

struct Pair {
    wchar_t half;
    wchar_t full;
};

// One-to-one pairs outside the letters, digits and kana letters.
constexpr std::array<Pair, 27> kPairs{{
    // signs
    {L'.', 0xFF0E}, {L'!', 0xFF01}, {L'#', 0xFF03}, {L'$', 0xFF04}, {L'&', 0xFF06},
    {L'\'', 0x2019}, {L'(', 0xFF08}, {L')', 0xFF09}, {L'+', 0xFF0B}, {L',', 0xFF0C},
    {L'-', 0xFF0D}, {L'=', 0xFF1D}, {L'[', 0xFF3B}, {L']', 0xFF3D}, {L'^', 0xFF3E},
    {L'_', 0xFF3F}, {L'`', 0xFF40}, {L'{', 0xFF5B}, {L'}', 0xFF5D}, {L'~', 0xFFE3},
    // punctuation ｡ ｢ ｣ ､
    {0xFF61, 0x3002}, {0xFF62, 0x300C}, {0xFF63, 0x300D}, {0xFF64, 0x3001},
    // sound marks standing alone, and the space
    {kVoicedMark, 0x309B}, {kSemiVoicedMark, 0x309C}, {L' ', 0x3000},
}};

// Half-width katakana U+FF66 to U+FF9D in code order, with the full-width letter and, where
// one exists, its voiced and semi-voiced forms.
struct Kana {
    wchar_t half;
    wchar_t full;
    wchar_t voiced;
    wchar_t semiVoiced;
};

constexpr wchar_t kFirstHalfKana = 0xFF66;

constexpr std::array<Kana, 56> kKana{{
    {0xFF66, L'ヲ', 0, 0},        {0xFF67, L'ァ', 0, 0},        {0xFF68, L'ィ', 0, 0},
    {0xFF69, L'ゥ', 0, 0},        {0xFF6A, L'ェ', 0, 0},        {0xFF6B, L'ォ', 0, 0},
    {0xFF6C, L'ャ', 0, 0},        {0xFF6D, L'ュ', 0, 0},        {0xFF6E, L'ョ', 0, 0},
    {0xFF6F, L'ッ', 0, 0},        {0xFF70, L'ー', 0, 0},        {0xFF71, L'ア', 0, 0},
    {0xFF72, L'イ', 0, 0},        {0xFF73, L'ウ', L'ヴ', 0},    {0xFF74, L'エ', 0, 0},
    {0xFF75, L'オ', 0, 0},        {0xFF76, L'カ', L'ガ', 0},    {0xFF77, L'キ', L'ギ', 0},
    {0xFF78, L'ク', L'グ', 0},    {0xFF79, L'ケ', L'ゲ', 0},    {0xFF7A, L'コ', L'ゴ', 0},
    {0xFF7B, L'サ', L'ザ', 0},    {0xFF7C, L'シ', L'ジ', 0},    {0xFF7D, L'ス', L'ズ', 0},
    {0xFF7E, L'セ', L'ゼ', 0},    {0xFF7F, L'ソ', L'ゾ', 0},    {0xFF80, L'タ', L'ダ', 0},
    {0xFF81, L'チ', L'ヂ', 0},    {0xFF82, L'ツ', L'ヅ', 0},    {0xFF83, L'テ', L'デ', 0},
    {0xFF84, L'ト', L'ド', 0},    {0xFF85, L'ナ', 0, 0},        {0xFF86, L'ニ', 0, 0},
    {0xFF87, L'ヌ', 0, 0},        {0xFF88, L'ネ', 0, 0},        {0xFF89, L'ノ', 0, 0},
    {0xFF8A, L'ハ', L'バ', L'パ'}, {0xFF8B, L'ヒ', L'ビ', L'ピ'}, {0xFF8C, L'フ', L'ブ', L'プ'},
    {0xFF8D, L'ヘ', L'ベ', L'ペ'}, {0xFF8E, L'ホ', L'ボ', L'ポ'}, {0xFF8F, L'マ', 0, 0},
    {0xFF90, L'ミ', 0, 0},        {0xFF91, L'ム', 0, 0},        {0xFF92, L'メ', 0, 0},
    {0xFF93, L'モ', 0, 0},        {0xFF94, L'ヤ', 0, 0},        {0xFF95, L'ユ', 0, 0},
    {0xFF96, L'ヨ', 0, 0},        {0xFF97, L'ラ', 0, 0},        {0xFF98, L'リ', 0, 0},
    {0xFF99, L'ル', 0, 0},        {0xFF9A, L'レ', 0, 0},        {0xFF9B, L'ロ', 0, 0},
    {0xFF9C, L'ワ', 0, 0},        {0xFF9D, L'ン', 0, 0},
}};

constexpr bool KanaTableInCodeOrder()
{
    for (std::size_t i = 0; i < kKana.size(); ++i)
        if (static_cast<std::size_t>(kKana[i].half) != kFirstHalfKana + i) return false;
    return true;
}
static_assert(KanaTableInCodeOrder());

// The full-width katakana block U+30A0 to U+30FF, mapped back to the half-width letter
// and the sound mark that spell it (mark 0 for a plain letter, half 0 for no counterpart).
constexpr wchar_t kKatakanaFirst = 0x30A0;
constexpr wchar_t kKatakanaLast = 0x30FF;

struct HalfSpelling {
    wchar_t half = 0;
    wchar_t mark = 0;
};

constexpr std::array<HalfSpelling, kKatakanaLast - kKatakanaFirst + 1> MakeKatakanaToHalf()
{
    std::array<HalfSpelling, kKatakanaLast - kKatakanaFirst + 1> table{};
    for (const Kana& k : kKana) {
        table[k.full - kKatakanaFirst] = {k.half, 0};
        if (k.voiced) table[k.voiced - kKatakanaFirst] = {k.half, kVoicedMark};
        if (k.semiVoiced) table[k.semiVoiced - kKatakanaFirst] = {k.half, kSemiVoicedMark};
    }
    return table;
}
constexpr auto kKatakanaToHalf = MakeKatakanaToHalf();

// Hiragana ぁ to ん and katakana ァ to ン lie at the same distance from each other.
constexpr wchar_t kHiraganaFirst = 0x3041;
constexpr wchar_t kHiraganaLast = 0x3093;
constexpr wchar_t kHiraganaToKatakana = 0x60;

} // namespace

std::wstring FullWidthChar(wchar_t c, wchar_t next, bool& absorbed)
{
    absorbed = false;
    if (IsAsciiAlnum(c)) return std::wstring(1, static_cast<wchar_t>(c + kAsciiOffset));
    // Signs come before kana, but no half-width kana letter is in the pair table, so the
    // lookup order between the two tables does not matter.
    if (c >= kFirstHalfKana && static_cast<std::size_t>(c) < kFirstHalfKana + kKana.size()) {
        const Kana& k = kKana[c - kFirstHalfKana];
        if (next == kVoicedMark && k.voiced) {
            absorbed = true;
            return std::wstring(1, k.voiced);
        }
        if (next == kSemiVoicedMark && k.semiVoiced) {
            absorbed = true;
            return std::wstring(1, k.semiVoiced);
        }
        return std::wstring(1, k.full);
    }
    for (const Pair& p : kPairs)
        if (p.half == c) return std::wstring(1, p.full);
    return std::wstring(1, c);
}

std::wstring HalfWidthChar(wchar_t c, bool hira)
{
    bool isHiragana = c >= kHiraganaFirst && c <= kHiraganaLast;
    if (isHiragana && !hira) return std::wstring(1, c);
    if (IsFullWidthAlnum(c)) return std::wstring(1, static_cast<wchar_t>(c - kAsciiOffset));
    for (const Pair& p : kPairs)
        if (p.full == c) return std::wstring(1, p.half);

    wchar_t kata = isHiragana ? static_cast<wchar_t>(c + kHiraganaToKatakana) : c;
    if (kata >= kKatakanaFirst && kata <= kKatakanaLast) {
        const HalfSpelling& s = kKatakanaToHalf[kata - kKatakanaFirst];
        if (s.half) {
            std::wstring out(1, s.half);
            if (s.mark) out += s.mark;
            return out;
        }
    }
    return std::wstring(1, c);
}

std::wstring ToFullWidth(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t next = i + 1 < text.size() ? text[i + 1] : 0;
        bool absorbed = false;
        out += FullWidthChar(text[i], next, absorbed);
        if (absorbed) ++i;
    }
    return out;
}

std::wstring ToHalfWidth(const std::wstring& text, bool hira)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) out += HalfWidthChar(c, hira);
    return out;
}

} // namespace tavlo
