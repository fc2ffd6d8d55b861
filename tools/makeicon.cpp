// Writes the program's icon file: the picture the About box draws, at 16, 32, 48 and 256 pixels.
// Run at build time; the resource script puts the file into tavlo2.exe.
#include "ui/Icons.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One image of the icon file: a 32-bit bitmap (rows from the bottom) and its 1-bit mask.
std::vector<std::uint8_t> IconImage(const tavlo::IconPixels& pixels)
{
    const int size = pixels.Size;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(size));
    Put32(out, static_cast<std::uint32_t>(size * 2)); // colour and mask together
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) Put32(out, pixels.At(x, y));
    const int maskRow = ((size + 31) / 32) * 4;
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskRow), 0);
        for (int x = 0; x < size; ++x)
            if (pixels.Alpha(x, y) == 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicon OUTPUT.ico\n");
        return 2;
    }
    const int sizes[] = {16, 32, 48, 256};
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : sizes) images.push_back(IconImage(tavlo::RenderProgramPicture(size)));

    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1); // an icon
    Put16(file, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = sizes[i];
        file.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size)); // 0 stands for 256
        file.push_back(static_cast<std::uint8_t>(size >= 256 ? 0 : size));
        file.push_back(0);
        file.push_back(0);
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, static_cast<std::uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());

    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 1;
    const bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
