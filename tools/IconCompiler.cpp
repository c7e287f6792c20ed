// Turns a text grid (resources/icons/<Name>.ico.txt, <Name>.cur.txt or <Name>.rec.txt) into a Windows .ico or
// .cur file, or into a run of the image list's icon records (.rec: one record per image, as the image list
// keeps its images in its design data), so the program's icons and cursors are reviewed as text. Built for the
// host and run by the build.
//
//   IconCompiler <grid.txt> <output.ico|output.cur|output.rec>
//
// The grid, one statement a line ('#' starts a comment line):
//   colour <char> <RRGGBB>   palette entry; '.' is always transparent
//   hotspot <x> <y>          cursors only (required there)
//   image <width> <height>   followed by <height> rows of <width> palette characters
// A file may hold several images (sizes); each becomes one entry of the icon directory.
// Every image is written as 32-bit BGRA with a 1-bit mask, bottom-up, as the .ico format wants. Records are
// for an image list of the default colour depth: their images must share one size and use only the 16
// standard colours, which that depth keeps.
#include "imagelist/IconRecord.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;
};

struct Grid {
    std::map<char, std::uint32_t> palette;  // 0xRRGGBB
    std::vector<Image> images;
    int hotX = -1;
    int hotY = -1;
};

[[noreturn]] void Fail(const std::string& file, int line, const std::string& what)
{
    std::cerr << file << ":" << line << ": " << what << "\n";
    std::exit(1);
}

Grid Parse(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        Fail(path, 0, "cannot open");
    Grid grid;
    std::string text;
    int lineNo = 0;
    while (std::getline(in, text)) {
        ++lineNo;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.empty() || text[0] == '#')
            continue;
        std::istringstream words(text);
        std::string keyword;
        words >> keyword;
        if (keyword == "colour") {
            std::string key, hex;
            if (!(words >> key >> hex) || key.size() != 1 || key == "." || hex.size() != 6 ||
                hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                Fail(path, lineNo, "expected: colour <char> <RRGGBB>");
            grid.palette[key[0]] = static_cast<std::uint32_t>(std::stoul(hex, nullptr, 16));
        } else if (keyword == "hotspot") {
            if (!(words >> grid.hotX >> grid.hotY) || grid.hotX < 0 || grid.hotY < 0)
                Fail(path, lineNo, "expected: hotspot <x> <y>");
        } else if (keyword == "image") {
            Image image;
            if (!(words >> image.width >> image.height) || image.width < 1 || image.width > 256 || image.height < 1 ||
                image.height > 256)
                Fail(path, lineNo, "expected: image <width> <height>, 1 to 256 each");
            while (static_cast<int>(image.rows.size()) < image.height) {
                if (!std::getline(in, text))
                    Fail(path, lineNo, "the image ends before its last row");
                ++lineNo;
                if (!text.empty() && text.back() == '\r')
                    text.pop_back();
                if (static_cast<int>(text.size()) != image.width)
                    Fail(path, lineNo,
                         "row is " + std::to_string(text.size()) + " characters, expected " +
                             std::to_string(image.width));
                for (char c : text)
                    if (c != '.' && !grid.palette.count(c))
                        Fail(path, lineNo, std::string("colour '") + c + "' is not in the palette");
                image.rows.push_back(text);
            }
            grid.images.push_back(std::move(image));
        } else {
            Fail(path, lineNo, "unknown statement '" + keyword + "'");
        }
    }
    if (grid.images.empty())
        Fail(path, lineNo, "no image");
    return grid;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// One image as stored in an icon or cursor file: BITMAPINFOHEADER (height doubled for the mask), the colour
// pixels bottom-up, then the AND mask bottom-up with rows padded to 32 bits.
std::vector<std::uint8_t> EncodeImage(const Grid& grid, const Image& image)
{
    const int maskStride = (image.width + 31) / 32 * 4;
    const std::uint32_t colourBytes = static_cast<std::uint32_t>(image.width * image.height * 4);
    const std::uint32_t maskBytes = static_cast<std::uint32_t>(maskStride * image.height);
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(image.height * 2));
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, 0);   // BI_RGB
    Put32(out, colourBytes + maskBytes);
    for (int i = 0; i < 4; ++i)
        Put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (char c : image.rows[static_cast<std::size_t>(y)]) {
            if (c == '.') {
                Put32(out, 0);
            } else {
                const std::uint32_t rgb = grid.palette.at(c);
                out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
                out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
                out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
                out.push_back(0xFF);
            }
        }
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        const std::string& pixels = image.rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < image.width; ++x)
            if (pixels[static_cast<std::size_t>(x)] == '.')
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<std::uint8_t> EncodeFile(const Grid& grid, bool cursor)
{
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Image& image : grid.images)
        bodies.push_back(EncodeImage(grid, image));
    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, cursor ? 2 : 1);
    Put16(out, static_cast<unsigned>(grid.images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * grid.images.size());
    for (std::size_t i = 0; i < grid.images.size(); ++i) {
        const Image& image = grid.images[i];
        out.push_back(static_cast<std::uint8_t>(image.width & 0xFF));  // 256 is written as 0
        out.push_back(static_cast<std::uint8_t>(image.height & 0xFF));
        out.push_back(0);  // colour count: none for 32-bit images
        out.push_back(0);
        Put16(out, cursor ? static_cast<unsigned>(grid.hotX) : 1);   // planes, or the hot spot's x
        Put16(out, cursor ? static_cast<unsigned>(grid.hotY) : 32);  // bit count, or the hot spot's y
        Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

constexpr std::uint32_t kStandardColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Each image as an icon record of the program's current version, back to back.
std::vector<std::uint8_t> EncodeRecords(const std::string& path, const Grid& grid)
{
    for (const auto& [key, rgb] : grid.palette)
        if (std::find(std::begin(kStandardColours), std::end(kStandardColours), rgb) == std::end(kStandardColours))
            Fail(path, 0, std::string("colour '") + key + "' is not one of the 16 standard colours");
    std::vector<std::uint8_t> out;
    for (const Image& image : grid.images) {
        if (image.width != grid.images.front().width || image.height != grid.images.front().height)
            Fail(path, 0, "the images of an image list share one size");
        imagelist::IconPixels pixels;
        pixels.width = image.width;
        pixels.height = image.height;
        for (const std::string& row : image.rows)
            for (char c : row) {
                // Transparent pixels are black in the colour bitmap, as the platform keeps them.
                pixels.colour.push_back(c == '.' ? 0 : grid.palette.at(c));
                pixels.transparent.push_back(c == '.');
            }
        const auto record = imagelist::EncodeRecord(pixels, imagelist::kProgramVersion);
        if (!record)
            Fail(path, 0, "an image has no record");
        out.insert(out.end(), record->begin(), record->end());
    }
    return out;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: IconCompiler <grid.txt> <output.ico|output.cur|output.rec>\n";
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argv[2];
    const bool cursor = EndsWith(output, ".cur");
    const bool records = EndsWith(output, ".rec");
    if (!cursor && !records && !EndsWith(output, ".ico"))
        Fail(output, 0, "the output must end in .ico, .cur or .rec");
    const Grid grid = Parse(input);
    if (cursor) {
        if (grid.hotX < 0)
            Fail(input, 0, "a cursor needs a hotspot line");
        for (const Image& image : grid.images)
            if (grid.hotX >= image.width || grid.hotY >= image.height)
                Fail(input, 0, "the hot spot lies outside an image");
    } else if (grid.hotX >= 0) {
        Fail(input, 0, "an icon has no hot spot");
    }
    const std::vector<std::uint8_t> bytes = records ? EncodeRecords(input, grid) : EncodeFile(grid, cursor);
    std::ofstream out(output, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        Fail(output, 0, "cannot write");
    return 0;
}
