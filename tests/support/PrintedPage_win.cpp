#include "support/PrintedPage_win.h"

#include "support/FormDriver_win.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace test {

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (const wchar_t c : text)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// Binary PPM ("P6"): the header's three numbers, one blank, then RGB triples.
std::optional<rt::ClientImage> ReadPpm(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maxValue = 0;
    if (!(file >> magic >> width >> height >> maxValue) || magic != "P6" || maxValue != 255 || width <= 0 ||
        height <= 0)
        return std::nullopt;
    file.get();
    std::vector<unsigned char> bytes(static_cast<size_t>(width) * height * 3);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
        return std::nullopt;
    rt::ClientImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = uint32_t{bytes[3 * i]} << 16 | uint32_t{bytes[3 * i + 1]} << 8 | bytes[3 * i + 2];
    return image;
}

}  // namespace

std::wstring WindowsPath(const std::string& unixPath)
{
    std::wstring path = L"Z:";
    for (const char c : unixPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

PrintedPages::PrintedPages()
{
    folder_ = Environment("PLUMVANE_PRINTED_PAGES");
    before_ = Files();
}

std::set<std::string> PrintedPages::Files() const
{
    std::set<std::string> files;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((WindowsPath(folder_) + L"\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
        files.insert(Narrow(found.cFileName));
    while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

std::optional<std::string> PrintedPages::WaitForNew(std::string_view title, DWORD timeoutMs)
{
    if (folder_.empty())
        return std::nullopt;
    // The printer writes and names its file in steps: the new files are taken once their names and sizes
    // have held for half a second.
    std::map<std::string, LONGLONG> last;
    int steady = 0;
    const bool found = PumpUntil(
        [&] {
            std::map<std::string, LONGLONG> now;
            for (const std::string& name : Files()) {
                WIN32_FILE_ATTRIBUTE_DATA data;
                if (!before_.contains(name) && name.find(title) != std::string::npos &&
                    GetFileAttributesExW(WindowsPath(folder_ + "/" + name).c_str(), GetFileExInfoStandard, &data))
                    now[name] = LONGLONG{data.nFileSizeHigh} << 32 | data.nFileSizeLow;
            }
            steady = !now.empty() && now == last ? steady + 1 : 0;
            last = std::move(now);
            Sleep(50);
            return steady >= 10;
        },
        timeoutMs);
    return found ? std::optional(folder_ + "/" + last.begin()->first) : std::nullopt;
}

std::optional<rt::ClientImage> PageImage(const std::string& pdf, int dpi)
{
    // The printer's file names carry characters that Wine shows otherwise than they are: the page is read
    // from a copy under a plain name.
    const std::string out = "/tmp/plumvane-page-" + std::to_string(GetCurrentProcessId());
    const std::wstring copy = WindowsPath(out + ".pdf");
    if (!CopyFileW(WindowsPath(pdf).c_str(), copy.c_str(), FALSE))
        return std::nullopt;
    std::wstring command = L"/usr/bin/pdftoppm -f 1 -l 1 -singlefile -r " + std::to_wstring(dpi) + L" " +
                           std::wstring(out.begin(), out.end()) + L".pdf " + std::wstring(out.begin(), out.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return std::nullopt;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine does not follow a host program to its end: the picture is there once it reads whole.
    const std::wstring picture = WindowsPath(out + ".ppm");
    std::optional<rt::ClientImage> image;
    PumpUntil([&] {
        image = ReadPpm(picture);
        if (!image)
            Sleep(50);
        return image.has_value();
    }, 30000);
    DeleteFileW(picture.c_str());
    DeleteFileW(copy.c_str());
    return image;
}

}  // namespace test
