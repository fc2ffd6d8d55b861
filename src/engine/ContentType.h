#pragma once
// What a file's content says it is: a table of signatures and a few peeks into containers (the
// directory of a ZIP or a compound file, the header of an executable, the brands of an ISO media file),
// reading at most kContentReadLimit bytes of it. Written for this program; no outside library.
#include "common/Catalogue.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tavlo {

enum class ContentFormat : std::uint8_t {
    Jpeg, Png, Gif, Bmp, Tiff, WebP, Heic, Heif, Avif, Ico, Psd,
    Mp3, Flac, Ogg, Wav, Aiff, M4a, Midi,
    Mp4, Mov, ThreeGp, Mkv, WebM, Avi, Flv, MpegPs, MpegTs,
    Zip, SevenZip, Rar, Gzip, Bzip2, Xz, Zstd, Tar, Cab, Lzh, Iso,
    Pdf, Rtf, Doc, Xls, Ppt, Msi, Docx, Docm, Xlsx, Xlsm, Pptx, Pptm, Odt, Ods, Odp, Epub, Jar, Apk,
    Exe, Dll, JavaClass,
    Ttf, Otf, Ttc, Woff, Woff2,
    Sqlite,
    Count
};

struct ContentVerdict {
    enum class Kind {
        Format,     // `format` says what it is
        Text,       // a byte-order mark, or no zero byte among the first 8,000 bytes
        Empty,
        Unknown,
        Ambiguous,  // fits more than one format
        Unreadable,
    };
    Kind kind = Kind::Unknown;
    ContentFormat format = ContentFormat::Count;
    std::size_t bytesRead = 0;
};

inline constexpr std::size_t kContentReadLimit = 64 * 1024;

// Reads up to `count` bytes of the file from `offset`; nothing when it cannot be read.
using ContentReader = std::function<std::optional<std::string>(std::uint64_t offset, std::size_t count)>;

ContentVerdict DetectContent(const ContentReader& read, std::uint64_t size);

// The extension a file of `format` should carry instead of `extension` (with its dot, or "" for none):
// nothing when `extension` already names the format, or a container the format is a kind of, letter case
// aside. For a format that is itself a container others build on (ZIP, SQLite, TIFF, executables, ...), an
// extension the table does not know is kept too: it may name such a format. The new extension takes the
// letter case of the old one; lower case when there was none.
std::optional<std::wstring> ContentExtension(ContentFormat format, const std::wstring& extension);

// The catalogue number of the format's name, as the log shows it ("PNG 画像").
TextNumber ContentFormatName(ContentFormat format);

} // namespace tavlo
