#include "engine/ContentType.h"

#include "common/Catalogue.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>
#include <vector>

namespace tavlo {

namespace {

using F = ContentFormat;

struct FormatRow {
    F format;
    std::wstring_view extensions; // the usual one first, then others that name it or a container it is a kind of
    bool container;               // others build on it: an extension the table does not know is kept
};

// One row per format, in the order of ContentFormat.
constexpr std::array<FormatRow, static_cast<std::size_t>(F::Count)> kFormats{{
    {F::Jpeg, L"jpg jpeg jpe jfif jif jfi", false},
    {F::Png, L"png", false},
    {F::Gif, L"gif", false},
    {F::Bmp, L"bmp dib", false},
    // Camera raw files are TIFF inside.
    {F::Tiff, L"tif tiff dng nef nrw cr2 arw srf sr2 pef srw 3fr erf kdc mos mef iiq rwl", true},
    {F::WebP, L"webp", false},
    {F::Heic, L"heic heif hif", false},
    {F::Heif, L"heif heic hif", false},
    {F::Avif, L"avif heif", false},
    {F::Ico, L"ico", false},
    {F::Psd, L"psd", false},
    {F::Mp3, L"mp3", false},
    {F::Flac, L"flac", false},
    {F::Ogg, L"ogg oga ogv ogx opus spx", true},
    {F::Wav, L"wav wave", false},
    {F::Aiff, L"aif aiff aifc", false},
    {F::M4a, L"m4a m4b m4p m4r mp4", false},
    {F::Midi, L"mid midi", false},
    {F::Mp4, L"mp4 m4v m4a m4b 3gp 3g2 f4v", true},
    {F::Mov, L"mov qt", false},
    {F::ThreeGp, L"3gp 3g2 3gpp 3gp2 mp4", false},
    {F::Mkv, L"mkv mka mks mk3d", true},
    {F::WebM, L"webm mkv", false},
    {F::Avi, L"avi", false},
    {F::Flv, L"flv", false},
    {F::MpegPs, L"mpg mpeg mpe m2p vob", false},
    {F::MpegTs, L"ts m2ts mts m2t tp trp", false},
    // Every format built on ZIP that the table knows, since a ZIP whose entries were not seen may be one.
    {F::Zip, L"zip docx docm xlsx xlsm pptx pptm odt ods odp epub jar apk", true},
    {F::SevenZip, L"7z", true},
    {F::Rar, L"rar", true},
    {F::Gzip, L"gz tgz", true},
    {F::Bzip2, L"bz2 tbz2 tbz", true},
    {F::Xz, L"xz txz", true},
    {F::Zstd, L"zst tzst", true},
    {F::Tar, L"tar", true},
    {F::Cab, L"cab", true},
    {F::Lzh, L"lzh lha", false},
    {F::Iso, L"iso", true},
    {F::Pdf, L"pdf ai", true},
    {F::Rtf, L"rtf", false},
    {F::Doc, L"doc dot", true},
    {F::Xls, L"xls xlt", true},
    {F::Ppt, L"ppt pps pot", true},
    {F::Msi, L"msi", true},
    {F::Docx, L"docx zip", true},
    {F::Docm, L"docm zip", true},
    {F::Xlsx, L"xlsx zip", true},
    {F::Xlsm, L"xlsm zip", true},
    {F::Pptx, L"pptx zip", true},
    {F::Pptm, L"pptm zip", true},
    {F::Odt, L"odt zip", true},
    {F::Ods, L"ods zip", true},
    {F::Odp, L"odp zip", true},
    {F::Epub, L"epub zip", false},
    {F::Jar, L"jar zip", true},
    {F::Apk, L"apk zip", true},
    {F::Exe, L"exe com scr", true},
    {F::Dll, L"dll ocx cpl drv sys ax mui", true},
    {F::JavaClass, L"class", false},
    {F::Ttf, L"ttf", false},
    {F::Otf, L"otf", false},
    {F::Ttc, L"ttc", false},
    {F::Woff, L"woff", false},
    {F::Woff2, L"woff2", false},
    {F::Sqlite, L"sqlite sqlite3 db db3 s3db sl3", true},
}};

constexpr std::size_t kHead = 4096;
constexpr std::size_t kTextProbe = 8000;

std::wstring AsciiLower(std::wstring_view text)
{
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

bool Lists(std::wstring_view list, std::wstring_view word)
{
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find(L' ', at);
        if (end == std::wstring_view::npos) end = list.size();
        if (list.substr(at, end - at) == word) return true;
        at = end + 1;
    }
    return false;
}

bool KnownAnywhere(std::wstring_view word)
{
    return std::any_of(kFormats.begin(), kFormats.end(), [&](const FormatRow& row) { return Lists(row.extensions, word); });
}

// Byte access that never reads past the end.
struct Bytes {
    std::string_view data;
    std::uint8_t At(std::size_t i) const { return i < data.size() ? static_cast<std::uint8_t>(data[i]) : 0; }
    bool Has(std::size_t offset, std::string_view what) const
    {
        return offset <= data.size() && data.substr(offset, what.size()) == what;
    }
    std::uint16_t Le16(std::size_t i) const { return static_cast<std::uint16_t>(At(i) | At(i + 1) << 8); }
    std::uint32_t Le32(std::size_t i) const { return Le16(i) | static_cast<std::uint32_t>(Le16(i + 2)) << 16; }
    std::uint16_t Be16(std::size_t i) const { return static_cast<std::uint16_t>(At(i) << 8 | At(i + 1)); }
    std::uint32_t Be32(std::size_t i) const { return static_cast<std::uint32_t>(Be16(i)) << 16 | Be16(i + 2); }
};

using namespace std::string_view_literals;

// Reads for one detection, within the limit.
class Budget {
public:
    Budget(const ContentReader& read, std::uint64_t size) : read_(read), size_(size) {}
    std::string Read(std::uint64_t offset, std::size_t count)
    {
        if (offset >= size_) return {};
        count = static_cast<std::size_t>(std::min<std::uint64_t>({count, size_ - offset, kContentReadLimit - used_}));
        if (count == 0) return {};
        std::optional<std::string> got = read_(offset, count);
        if (!got) return {};
        if (got->size() > count) got->resize(count);
        used_ += got->size();
        return std::move(*got);
    }
    std::uint64_t Size() const { return size_; }
    std::size_t Used() const { return used_; }

private:
    const ContentReader& read_;
    std::uint64_t size_;
    std::size_t used_ = 0;
};

// MPEG audio layer III frame header at `at`; its length in bytes, or 0.
std::size_t Mp3FrameLength(const Bytes& b, std::size_t at)
{
    if (b.At(at) != 0xFF || (b.At(at + 1) & 0xE0) != 0xE0) return 0;
    const int version = (b.At(at + 1) >> 3) & 3, layer = (b.At(at + 1) >> 1) & 3;
    const int rateIndex = b.At(at + 2) >> 4, sampleIndex = (b.At(at + 2) >> 2) & 3, padding = (b.At(at + 2) >> 1) & 1;
    if (version == 1 || layer != 1 || rateIndex == 0 || rateIndex == 15 || sampleIndex == 3) return 0;
    static constexpr int kRateV1[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    static constexpr int kRateV2[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static constexpr int kSamples[3][3] = {{11025, 12000, 8000}, {22050, 24000, 16000}, {44100, 48000, 32000}};
    const int row = version == 3 ? 2 : version == 2 ? 1 : 0;
    const int rate = (version == 3 ? kRateV1 : kRateV2)[rateIndex] * 1000;
    return static_cast<std::size_t>((version == 3 ? 144 : 72) * rate / kSamples[row][sampleIndex] + padding);
}

// Two frames in a row (or one that reaches the end of what there is).
bool IsMp3Stream(const Bytes& b, std::size_t at, std::uint64_t size)
{
    const std::size_t length = Mp3FrameLength(b, at);
    if (length == 0) return false;
    if (at + length + 4 > b.data.size()) return at + length >= size || at + length + 4 > kHead;
    return Mp3FrameLength(b, at + length) != 0;
}

std::optional<F> IsoMediaFormat(const Bytes& b)
{
    const std::uint32_t box = std::min<std::uint32_t>(b.Be32(0), static_cast<std::uint32_t>(b.data.size()));
    enum Family { kNone, kHeic, kAvif, kHeif, kM4a, kMov, kThreeGp, kMp4 };
    auto family = [](std::string_view brand) {
        static constexpr std::string_view heic[] = {"heic", "heix", "hevc", "hevx", "heim", "heis", "hevm", "hevs"};
        for (auto h : heic)
            if (brand == h) return kHeic;
        if (brand == "avif" || brand == "avis") return kAvif;
        if (brand == "mif1" || brand == "msf1") return kHeif;
        if (brand == "M4A " || brand == "M4B " || brand == "M4P ") return kM4a;
        if (brand == "qt  ") return kMov;
        if (brand.substr(0, 3) == "3gp" || brand.substr(0, 3) == "3g2") return kThreeGp;
        static constexpr std::string_view mp4[] = {"isom", "iso2", "iso3", "iso4", "iso5", "iso6", "iso8", "iso9",
                                                   "mp41", "mp42", "avc1", "M4V ", "M4VH", "M4VP", "dash", "mmp4",
                                                   "f4v ", "MSNV", "NDAS", "iso7"};
        for (auto m : mp4)
            if (brand == m) return kMp4;
        return kNone;
    };
    std::set<Family> compatible;
    for (std::uint32_t at = 16; at + 4 <= box; at += 4) compatible.insert(family(b.data.substr(at, 4)));
    Family major = family(b.data.substr(8, 4));
    if (major == kHeif || major == kNone) {
        const bool heic = compatible.count(kHeic) != 0, avif = compatible.count(kAvif) != 0;
        if (heic && avif) return F::Count; // both: not ours to choose
        if (heic) major = kHeic;
        else if (avif) major = kAvif;
    }
    if (major == kNone) {
        for (Family f : {kM4a, kMov, kThreeGp})
            if (compatible.count(f) && major == kNone) major = f;
        if (major == kNone && compatible.count(kMp4)) major = kMp4;
    }
    switch (major) {
    case kHeic: return F::Heic;
    case kAvif: return F::Avif;
    case kHeif: return F::Heif;
    case kM4a: return F::M4a;
    case kMov: return F::Mov;
    case kThreeGp: return F::ThreeGp;
    case kMp4: return F::Mp4;
    case kNone: break;
    }
    return std::nullopt;
}

std::optional<F> MatroskaFormat(const Bytes& b)
{
    // The EBML header's DocType element (0x4282), a one-byte size and the name.
    const std::size_t at = b.data.substr(0, 64).find("\x42\x82"sv);
    if (at == std::string_view::npos || (b.At(at + 2) & 0x80) == 0 || at + 3 > b.data.size()) return std::nullopt;
    const std::string_view type = b.data.substr(at + 3, b.At(at + 2) & 0x7F);
    if (type == "webm") return F::WebM;
    if (type == "matroska") return F::Mkv;
    return std::nullopt;
}

// The names of a ZIP's entries: its central directory at the end, or the local headers from the start.
std::vector<std::string> ZipNames(Budget& budget, const Bytes& head)
{
    std::vector<std::string> names;
    const std::uint64_t size = budget.Size();
    const std::size_t tailLength = static_cast<std::size_t>(std::min<std::uint64_t>(size, 22 + 1024));
    const std::string tail = budget.Read(size - tailLength, tailLength);
    const std::size_t end = tail.rfind("PK\x05\x06"sv);
    if (end != std::string::npos) {
        const Bytes e{std::string_view(tail).substr(end)};
        const std::uint32_t length = e.Le32(12), offset = e.Le32(16);
        const std::string directory = budget.Read(offset, std::min<std::uint32_t>(length, 24 * 1024));
        const Bytes d{directory};
        for (std::size_t at = 0; d.Has(at, "PK\x01\x02"sv);) {
            const std::size_t nameLength = d.Le16(at + 28);
            if (at + 46 + nameLength > directory.size()) break;
            names.emplace_back(directory.substr(at + 46, nameLength));
            at += 46 + nameLength + d.Le16(at + 30) + d.Le16(at + 32);
        }
    }
    for (std::size_t at = 0; head.Has(at, "PK\x03\x04"sv) && names.size() < 4096;) {
        const std::size_t nameLength = head.Le16(at + 26);
        if (at + 30 + nameLength > head.data.size()) break;
        names.emplace_back(head.data.substr(at + 30, nameLength));
        if (head.Le16(at + 6) & 0x08) break; // sizes follow the data: the next header cannot be found
        at += 30 + nameLength + head.Le16(at + 28) + head.Le32(at + 18);
    }
    return names;
}

F ZipFormat(Budget& budget, const Bytes& head)
{
    // ODF and EPUB: a first entry "mimetype", stored, holding the type.
    if (head.Has(30, "mimetype"sv) && head.Le16(26) == 8 && head.Le16(8) == 0) {
        const std::size_t at = 30 + 8 + head.Le16(28);
        const std::string_view type = head.data.substr(std::min(at, head.data.size()), head.Le32(18));
        if (type == "application/vnd.oasis.opendocument.text") return F::Odt;
        if (type == "application/vnd.oasis.opendocument.spreadsheet") return F::Ods;
        if (type == "application/vnd.oasis.opendocument.presentation") return F::Odp;
        if (type == "application/epub+zip") return F::Epub;
    }
    const std::vector<std::string> names = ZipNames(budget, head);
    auto has = [&](std::string_view name) { return std::find(names.begin(), names.end(), name) != names.end(); };
    if (has("[Content_Types].xml")) {
        // The macro forms carry their project beside the document.
        if (has("word/document.xml")) return has("word/vbaProject.bin") ? F::Docm : F::Docx;
        if (has("xl/workbook.xml")) return has("xl/vbaProject.bin") ? F::Xlsm : F::Xlsx;
        if (has("ppt/presentation.xml")) return has("ppt/vbaProject.bin") ? F::Pptm : F::Pptx;
    }
    if (has("AndroidManifest.xml") && has("classes.dex")) return F::Apk;
    if (has("META-INF/MANIFEST.MF")) return F::Jar;
    return F::Zip;
}

// A compound file: Word, Excel, PowerPoint and Windows Installer told apart by their streams or class.
std::optional<F> CompoundFormat(Budget& budget, const Bytes& head)
{
    const int shift = head.Le16(30);
    if (shift != 9 && shift != 12) return std::nullopt;
    const std::size_t sector = std::size_t{1} << shift;
    auto readSector = [&](std::uint32_t n) { return budget.Read((static_cast<std::uint64_t>(n) + 1) << shift, sector); };
    std::set<F> found;
    bool installer = false;
    std::uint32_t next = head.Le32(48);
    std::uint32_t fatIndex = 0xFFFFFFFF;
    std::string fat;
    for (int sectors = 0; sectors < 16 && next < 0xFFFFFFFA; ++sectors) {
        const std::string directory = readSector(next);
        if (directory.size() < sector) break;
        const Bytes d{directory};
        for (std::size_t at = 0; at + 128 <= directory.size(); at += 128) {
            std::string name;
            for (std::size_t c = 0; c + 2 < std::min<std::size_t>(d.Le16(at + 64), 64); c += 2)
                name += static_cast<char>(d.At(at + c) < 0x80 && d.At(at + c + 1) == 0 ? d.At(at + c) : '?');
            if (d.At(at + 66) == 5) // the root: its class names an installer database
                installer = d.data.substr(at + 80, 16) == "\x84\x10\x0C\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46"sv;
            if (name == "WordDocument") found.insert(F::Doc);
            if (name == "Workbook" || name == "Book") found.insert(F::Xls);
            if (name == "PowerPoint Document") found.insert(F::Ppt);
        }
        // The next directory sector, from the allocation table.
        const std::uint32_t perSector = static_cast<std::uint32_t>(sector / 4);
        if (next / perSector >= 109) break;
        if (next / perSector != fatIndex) {
            fatIndex = next / perSector;
            fat = readSector(head.Le32(76 + 4 * fatIndex));
        }
        next = Bytes{fat}.Le32((next % perSector) * 4);
        if (fat.empty()) break;
    }
    if (installer) found.insert(F::Msi);
    if (found.size() == 1) return *found.begin();
    if (found.size() > 1) return F::Count;
    return std::nullopt;
}

std::optional<F> ExecutableFormat(Budget& budget, const Bytes& head)
{
    const std::uint32_t pe = head.Le32(0x3C);
    std::string far;
    Bytes b = head;
    std::size_t at = pe;
    if (pe + 24 > head.data.size()) {
        far = budget.Read(pe, 24);
        b = Bytes{far};
        at = 0;
    }
    if (!b.Has(at, "PE\0\0"sv)) return F::Exe; // an MS-DOS program
    return (b.Le16(at + 22) & 0x2000) != 0 ? F::Dll : F::Exe;
}

bool IsFontDirectory(const Bytes& b)
{
    const std::uint16_t tables = b.Be16(4);
    if (tables == 0 || tables > 100) return false;
    for (std::size_t i = 12; i < 16; ++i)
        if (b.At(i) < 0x20 || b.At(i) > 0x7E) return false;
    return true;
}

bool IsBmp(const Bytes& b)
{
    static constexpr std::uint32_t kHeaders[] = {12, 40, 52, 56, 64, 108, 124};
    return b.Has(0, "BM"sv) && b.Le32(6) == 0 && std::find(std::begin(kHeaders), std::end(kHeaders), b.Le32(14)) != std::end(kHeaders);
}

bool IsIcon(const Bytes& b)
{
    return b.Has(0, "\0\0\1\0"sv) && b.Le16(4) >= 1 && b.At(9) == 0 && b.Le16(10) <= 1 &&
           std::string_view("\0\1\4\x08\x10\x18\x20", 7).find(static_cast<char>(b.At(12))) != std::string_view::npos;
}

bool IsTransportStream(const Bytes& b, std::uint64_t size)
{
    for (std::size_t stride : {188, 192}) {
        const std::size_t first = stride == 192 ? 4 : 0;
        if (size < first + 3 * stride || b.data.size() < first + stride) continue;
        const std::size_t packets = static_cast<std::size_t>(std::min<std::uint64_t>(5, (size - first) / stride));
        if (packets < 3 || b.data.substr(first, stride).find('\0') == std::string_view::npos) continue;
        bool all = true;
        for (std::size_t p = 0; p < packets && first + p * stride < b.data.size(); ++p) all = all && b.At(first + p * stride) == 0x47;
        if (all) return true;
    }
    return false;
}

// The format a signature at the start says, if any; F::Count for content that fits several.
std::optional<F> ByStart(Budget& budget, const Bytes& b)
{
    const std::string_view d = b.data;
    if (b.Has(0, "\xFF\xD8\xFF"sv)) return F::Jpeg;
    if (b.Has(0, "\x89PNG\r\n\x1A\n"sv)) return F::Png;
    if (b.Has(0, "GIF87a"sv) || b.Has(0, "GIF89a"sv)) return F::Gif;
    if (b.Has(0, "II*\0"sv) || b.Has(0, "MM\0*"sv) || b.Has(0, "II+\0"sv) || b.Has(0, "MM\0+"sv)) return F::Tiff;
    if (b.Has(0, "RIFF"sv)) {
        if (b.Has(8, "WEBP"sv)) return F::WebP;
        if (b.Has(8, "WAVE"sv)) return F::Wav;
        if (b.Has(8, "AVI "sv)) return F::Avi;
        return std::nullopt;
    }
    if (b.Has(0, "FORM"sv) && (b.Has(8, "AIFF"sv) || b.Has(8, "AIFC"sv))) return F::Aiff;
    if (b.Has(4, "ftyp"sv)) return IsoMediaFormat(b);
    if (b.Has(4, "moov"sv) || b.Has(4, "mdat"sv) || b.Has(4, "wide"sv)) return F::Mov;
    if (b.Has(0, "8BPS\0\1"sv)) return F::Psd;
    if (b.Has(0, "ID3"sv) && b.At(3) >= 2 && b.At(3) <= 4 && (b.At(6) | b.At(7) | b.At(8) | b.At(9)) < 0x80) {
        // What follows the tag: a FLAC stream, AAC frames (not ours), or MP3 frames.
        const std::uint64_t tag = 10 + (static_cast<std::uint64_t>(b.At(6)) << 21 | b.At(7) << 14 | b.At(8) << 7 | b.At(9)) +
                                  ((b.At(5) & 0x10) ? 10 : 0);
        const std::string after = tag + 4 <= d.size() ? std::string(d.substr(static_cast<std::size_t>(tag), 4)) : budget.Read(tag, 4);
        if (after == "fLaC") return F::Flac;
        if (after.size() >= 2 && static_cast<std::uint8_t>(after[0]) == 0xFF && (static_cast<std::uint8_t>(after[1]) & 0xF6) == 0xF0)
            return std::nullopt;
        return F::Mp3;
    }
    if (b.Has(0, "fLaC"sv)) return F::Flac;
    if (b.Has(0, "OggS"sv)) return F::Ogg;
    if (b.Has(0, "MThd\0\0\0\x06"sv)) return F::Midi;
    if (b.Has(0, "\x1A\x45\xDF\xA3"sv)) return MatroskaFormat(b);
    if (b.Has(0, "FLV\x01"sv)) return F::Flv;
    if (b.Has(0, "\0\0\x01\xBA"sv)) return F::MpegPs;
    if (b.Has(0, "PK\x03\x04"sv) || b.Has(0, "PK\x05\x06"sv)) return ZipFormat(budget, b);
    if (b.Has(0, "7z\xBC\xAF\x27\x1C"sv)) return F::SevenZip;
    if (b.Has(0, "Rar!\x1A\x07\x00"sv) || b.Has(0, "Rar!\x1A\x07\x01\x00"sv)) return F::Rar;
    if (b.Has(0, "\x1F\x8B\x08"sv)) return F::Gzip;
    if (b.Has(0, "BZh"sv) && b.At(3) >= '1' && b.At(3) <= '9' && (b.Has(4, "1AY&SY"sv) || b.Has(4, "\x17\x72\x45\x38\x50\x90"sv)))
        return F::Bzip2;
    if (b.Has(0, "\xFD" "7zXZ\0"sv)) return F::Xz;
    if (b.Has(0, "\x28\xB5\x2F\xFD"sv)) return F::Zstd;
    if (b.Has(0, "MSCF\0\0\0\0"sv)) return F::Cab;
    if (b.At(2) == '-' && b.At(3) == 'l' && (b.At(4) == 'h' || b.At(4) == 'z') && b.At(6) == '-') return F::Lzh;
    if (d.substr(0, 1024).find("%PDF-"sv) != std::string_view::npos) return F::Pdf;
    if (b.Has(0, "{\\rtf"sv)) return F::Rtf;
    if (b.Has(0, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv)) return CompoundFormat(budget, b);
    if (b.Has(0, "MZ"sv)) return ExecutableFormat(budget, b);
    if (b.Has(0, "\xCA\xFE\xBA\xBE"sv) && b.Be16(6) >= 45) return F::JavaClass;
    if ((b.Has(0, "\0\x01\0\0"sv) || b.Has(0, "true"sv)) && IsFontDirectory(b)) return F::Ttf;
    if (b.Has(0, "OTTO"sv) && IsFontDirectory(b)) return F::Otf;
    if (b.Has(0, "ttcf"sv)) return F::Ttc;
    if (b.Has(0, "wOFF"sv)) return F::Woff;
    if (b.Has(0, "wOF2"sv)) return F::Woff2;
    if (b.Has(0, "SQLite format 3\0"sv)) return F::Sqlite;
    if (IsBmp(b)) return F::Bmp;
    if (IsIcon(b)) return F::Ico;
    if (IsMp3Stream(b, 0, budget.Size())) return F::Mp3;
    return std::nullopt;
}

} // namespace

ContentVerdict DetectContent(const ContentReader& read, std::uint64_t size)
{
    using Kind = ContentVerdict::Kind;
    Budget budget(read, size);
    ContentVerdict verdict;
    auto done = [&](Kind kind, F format = F::Count) {
        verdict.kind = kind;
        verdict.format = format;
        verdict.bytesRead = budget.Used();
        return verdict;
    };
    if (size == 0) return done(Kind::Empty);
    const std::string head = budget.Read(0, kHead);
    if (head.empty()) return done(Kind::Unreadable);
    const Bytes b{head};

    std::set<F> candidates;
    std::optional<F> start = ByStart(budget, b);
    if (start == F::Count) return done(Kind::Ambiguous);
    if (start) candidates.insert(*start);
    // Signatures further in; a second format besides the first makes the content ambiguous.
    if (b.Has(257, "ustar"sv)) candidates.insert(F::Tar);
    if (!start && IsTransportStream(b, size)) candidates.insert(F::MpegTs);
    if (size > 32774 && budget.Read(32769, 5) == "CD001") candidates.insert(F::Iso);
    if (candidates.size() > 1) return done(Kind::Ambiguous);
    if (candidates.size() == 1) return done(Kind::Format, *candidates.begin());

    if (b.Has(0, "\xEF\xBB\xBF"sv) || b.Has(0, "\xFF\xFE"sv) || b.Has(0, "\xFE\xFF"sv)) return done(Kind::Text);
    std::string probe = head.substr(0, kTextProbe);
    if (probe.size() < kTextProbe && size > probe.size()) probe += budget.Read(probe.size(), kTextProbe - probe.size());
    if (probe.find('\0') == std::string::npos) return done(Kind::Text);
    return done(Kind::Unknown);
}

std::optional<std::wstring> ContentExtension(ContentFormat format, const std::wstring& extension)
{
    const FormatRow& row = kFormats[static_cast<std::size_t>(format)];
    const std::wstring word = AsciiLower(extension.empty() ? extension : extension.substr(1));
    if (!word.empty() && Lists(row.extensions, word)) return std::nullopt;
    if (!word.empty() && row.container && !KnownAnywhere(word)) return std::nullopt;
    std::wstring usual(row.extensions.substr(0, row.extensions.find(L' ')));
    // In the letter case of the old extension: upper case only where it had letters and all were upper.
    const bool upper = std::any_of(extension.begin(), extension.end(), [](wchar_t c) { return c >= L'A' && c <= L'Z'; }) &&
                       std::none_of(extension.begin(), extension.end(), [](wchar_t c) { return c >= L'a' && c <= L'z'; });
    if (upper)
        for (wchar_t& c : usual)
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return L"." + usual;
}

TextNumber ContentFormatName(ContentFormat format)
{
    return program_text::ContentFormatFirst + static_cast<int>(format);
}

} // namespace tavlo
