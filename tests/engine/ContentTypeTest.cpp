// What the content says, on hand-made files for the cases real writers seldom produce: brands and doc
// types that tell containers apart, the rule for extensions, and what is left.
#include "engine/ContentType.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tavlo {
namespace {

using namespace std::string_literals;
using Kind = ContentVerdict::Kind;

ContentVerdict Detect(const std::string& bytes, std::size_t* largest = nullptr)
{
    return DetectContent(
        [&](std::uint64_t offset, std::size_t count) -> std::optional<std::string> {
            if (largest) *largest = std::max(*largest, count);
            return offset >= bytes.size() ? std::string() : bytes.substr(static_cast<std::size_t>(offset), count);
        },
        bytes.size());
}

ContentFormat Format(const std::string& bytes)
{
    const ContentVerdict v = Detect(bytes);
    EXPECT_EQ(v.kind, Kind::Format);
    return v.format;
}

std::string Le16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
std::string Le32(std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
std::string Be32(std::uint32_t v) { return {char(v >> 24), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)}; }

std::string Ftyp(const std::string& major, const std::string& compatible)
{
    return Be32(16 + static_cast<std::uint32_t>(compatible.size())) + "ftyp" + major + "\0\0\0\0"s + compatible + std::string(64, '\0');
}

// A ZIP whose entries are stored empty, with its central directory.
std::string Zip(std::initializer_list<std::string> names)
{
    std::string local, central;
    for (const std::string& n : names) {
        central += "PK\x01\x02"s + std::string(24, '\0') + Le16(static_cast<unsigned>(n.size())) + std::string(4, '\0') +
                   std::string(8, '\0') + Le32(static_cast<std::uint32_t>(local.size())) + n;
        local += "PK\x03\x04"s + std::string(22, '\0') + Le16(static_cast<unsigned>(n.size())) + Le16(0) + n;
    }
    return local + central + "PK\x05\x06"s + std::string(6, '\0') + Le16(static_cast<unsigned>(names.size())) +
           Le32(static_cast<std::uint32_t>(central.size())) + Le32(static_cast<std::uint32_t>(local.size())) + Le16(0);
}

// A compound file of 512-byte sectors: header, one allocation sector, one directory sector.
std::string Compound(std::initializer_list<std::u16string> names, bool installer = false)
{
    std::string header = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"s + std::string(22, '\0') + Le16(9);
    header.resize(44, '\0');
    header += Le32(1) + Le32(1); // one allocation sector; the directory starts at sector 1
    header.resize(76, '\0');
    header += Le32(0);
    header.resize(512, '\xFF');
    std::string fat = Le32(0xFFFFFFFD) + Le32(0xFFFFFFFE);
    fat.resize(512, '\xFF');
    std::string directory;
    bool root = true;
    for (const std::u16string& name : names) {
        std::string entry;
        for (char16_t c : name) entry += Le16(c);
        entry.resize(64, '\0');
        entry += Le16(static_cast<unsigned>(name.size() * 2 + 2)) + std::string(1, root ? 5 : 2);
        entry.resize(80, '\0');
        if (root && installer) entry += "\x84\x10\x0C\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46"s;
        entry.resize(128, '\0');
        directory += entry;
        root = false;
    }
    directory.resize(512, '\0');
    return header + fat + directory;
}

TEST(ContentType, ContainersAreToldApartByWhatTheyHold)
{
    EXPECT_EQ(Format(Ftyp("mif1", "mif1heic")), ContentFormat::Heic);
    EXPECT_EQ(Format(Ftyp("avif", "mif1miaf")), ContentFormat::Avif);
    EXPECT_EQ(Format(Ftyp("mif1", "mif1")), ContentFormat::Heif);
    EXPECT_EQ(Format(Ftyp("M4A ", "isomM4A ")), ContentFormat::M4a);
    EXPECT_EQ(Format(Ftyp("qt  ", "qt  ")), ContentFormat::Mov);
    EXPECT_EQ(Format(Ftyp("3gp4", "isom3gp4")), ContentFormat::ThreeGp);
    EXPECT_EQ(Format(Ftyp("isom", "isomiso2mp41")), ContentFormat::Mp4);
    EXPECT_EQ(Detect(Ftyp("mif1", "heicavif")).kind, Kind::Ambiguous);

    const std::string ebml = "\x1A\x45\xDF\xA3\xA3\x42\x86\x81\x01\x42\x82"s;
    EXPECT_EQ(Format(ebml + "\x84webm" + std::string(40, '\0')), ContentFormat::WebM);
    EXPECT_EQ(Format(ebml + "\x88matroska" + std::string(40, '\0')), ContentFormat::Mkv);

    EXPECT_EQ(Format(Zip({"[Content_Types].xml", "_rels/.rels", "word/document.xml"})), ContentFormat::Docx);
    EXPECT_EQ(Format(Zip({"[Content_Types].xml", "word/document.xml", "word/vbaProject.bin"})), ContentFormat::Docm);
    EXPECT_EQ(Format(Zip({"[Content_Types].xml", "xl/workbook.xml"})), ContentFormat::Xlsx);
    EXPECT_EQ(Format(Zip({"[Content_Types].xml", "ppt/presentation.xml", "ppt/vbaProject.bin"})), ContentFormat::Pptm);
    EXPECT_EQ(Format(Zip({"AndroidManifest.xml", "classes.dex", "META-INF/MANIFEST.MF"})), ContentFormat::Apk);
    EXPECT_EQ(Format(Zip({"META-INF/MANIFEST.MF", "a/B.class"})), ContentFormat::Jar);
    EXPECT_EQ(Format(Zip({"readme.txt"})), ContentFormat::Zip);

    EXPECT_EQ(Format(Compound({u"Root Entry", u"1Table", u"WordDocument"})), ContentFormat::Doc);
    EXPECT_EQ(Format(Compound({u"Root Entry", u"Workbook"})), ContentFormat::Xls);
    EXPECT_EQ(Format(Compound({u"Root Entry", u"PowerPoint Document"})), ContentFormat::Ppt);
    EXPECT_EQ(Format(Compound({u"Root Entry", u"\u4840\u3B3F"}, true)), ContentFormat::Msi);
    EXPECT_EQ(Detect(Compound({u"Root Entry", u"WordDocument", u"Workbook"})).kind, Kind::Ambiguous);
    EXPECT_EQ(Detect(Compound({u"Root Entry", u"__substg1.0_0037001F"})).kind, Kind::Unknown) << "an Outlook message";

    std::string pe = "MZ"s + std::string(0x3A, '\0') + Le32(0x80);
    pe.resize(0x80, '\0');
    pe += "PE\0\0"s + std::string(18, '\0');
    EXPECT_EQ(Format(pe + Le16(0x2102) + std::string(200, '\0')), ContentFormat::Dll);
    EXPECT_EQ(Format(pe + Le16(0x0102) + std::string(200, '\0')), ContentFormat::Exe);

    // MPEG audio: a frame header followed by the next one; ID3 before FLAC is FLAC.
    const std::string frame = "\xFF\xFB\x90\x64"s + std::string(413, '\x55');
    EXPECT_EQ(Format(frame + frame + frame), ContentFormat::Mp3);
    EXPECT_EQ(Format("ID3\x04\0\0\0\0\0\x0A"s + std::string(10, '\0') + "fLaC" + std::string(40, '\0')), ContentFormat::Flac);
    EXPECT_EQ(Format("\xCA\xFE\xBA\xBE\0\0\0\x34"s + std::string(20, '\x01')), ContentFormat::JavaClass);
}

TEST(ContentType, TextEmptyUnknownAndAmbiguousContentIsLeft)
{
    EXPECT_EQ(Detect("").kind, Kind::Empty);
    EXPECT_EQ(Detect("a,b,c\n1,2,3\n").kind, Kind::Text);
    EXPECT_EQ(Detect("\xFF\xFE" "a\0b\0"s).kind, Kind::Text) << "UTF-16 with its mark";
    EXPECT_EQ(Detect("\x01\x02\0\x03 no signature"s).kind, Kind::Unknown);
    // A text of capital G's looks like packets of a transport stream, but holds no zero byte.
    EXPECT_EQ(Detect(std::string(2000, 'G')).kind, Kind::Text);
    // A PNG signature with a tar header where tar keeps its mark: two formats fit.
    std::string both = "\x89PNG\r\n\x1A\n"s + std::string(600, '\0');
    both.replace(257, 5, "ustar");
    EXPECT_EQ(Detect(both).kind, Kind::Ambiguous);
    // A truncated file still shows its signature.
    EXPECT_EQ(Format("\x89PNG\r\n\x1A\n"s), ContentFormat::Png);
}

TEST(ContentType, TheRuleForExtensions)
{
    EXPECT_EQ(ContentExtension(ContentFormat::Png, L".JPG"), L".PNG");
    EXPECT_EQ(ContentExtension(ContentFormat::Png, L".jpg"), L".png");
    EXPECT_EQ(ContentExtension(ContentFormat::Jpeg, L".HEIC"), L".JPG");
    EXPECT_EQ(ContentExtension(ContentFormat::Png, L""), L".png");
    EXPECT_EQ(ContentExtension(ContentFormat::Jpeg, L".Jpeg"), std::nullopt);
    EXPECT_EQ(ContentExtension(ContentFormat::Jpeg, L".jfif"), std::nullopt);
    EXPECT_EQ(ContentExtension(ContentFormat::Docx, L".zip"), std::nullopt) << "a container the format is a kind of";
    EXPECT_EQ(ContentExtension(ContentFormat::Docx, L".doc"), L".docx");
    EXPECT_EQ(ContentExtension(ContentFormat::Zip, L".docx"), std::nullopt) << "a ZIP whose entries were not seen";
    EXPECT_EQ(ContentExtension(ContentFormat::Zip, L".cbz"), std::nullopt) << "a format built on ZIP the table does not know";
    EXPECT_EQ(ContentExtension(ContentFormat::Zip, L".png"), L".zip");
    EXPECT_EQ(ContentExtension(ContentFormat::Tiff, L".NEF"), std::nullopt) << "camera raw";
    EXPECT_EQ(ContentExtension(ContentFormat::Png, L".cbz"), L".png") << "an image is no container";
}

// However large the file and whatever it claims, no more than the limit is read.
TEST(ContentType, ReadsNoMoreThanTheLimit)
{
    std::string zip = Zip({"a", "b"});
    zip.insert(zip.find("PK\x01\x02"), std::string(1 << 20, 'x'));
    std::string tail = zip.substr(zip.rfind("PK\x05\x06"));
    zip += std::string(100000, '\0') + tail; // a second end record pointing far away
    std::size_t largest = 0;
    const ContentVerdict v = Detect(zip, &largest);
    EXPECT_LE(v.bytesRead, kContentReadLimit);
    EXPECT_LE(largest, kContentReadLimit);
    std::string big = Compound({u"Root Entry", u"WordDocument"});
    big.replace(48, 4, Le32(0x7FFFFFF0)); // a directory sector far past the end
    EXPECT_LE(Detect(big).bytesRead, kContentReadLimit);
}

} // namespace
} // namespace tavlo
