#pragma once
// The pages a test prints on the PDF printer of the test set-up (tools/printer-setup.sh). Each page arrives as
// a PDF file in the printer's output folder and is read back as a picture by poppler's pdftoppm, a program of
// the host system that Wine starts like any other.
#include "runtime/Printing_win.h"

#include <windows.h>

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace test {

// The PDF files of the printer's output folder, a Unix path in PLUMVANE_PRINTED_PAGES (set by CTest).
class PrintedPages {
public:
    // Remembers the files that are there already.
    PrintedPages();

    const std::string& Folder() const { return folder_; }
    // Waits, pumping messages, for a new file whose name holds `title` and whose size has stopped growing;
    // its Unix path, or nothing after `timeoutMs`.
    std::optional<std::string> WaitForNew(std::string_view title, DWORD timeoutMs = 30000);

private:
    std::set<std::string> Files() const;

    std::string folder_;
    std::set<std::string> before_;
};

// The first page of a PDF file (a Unix path) as a picture at `dpi` dots per inch; nothing when it cannot be read.
std::optional<rt::ClientImage> PageImage(const std::string& pdf, int dpi);

// A Unix path as the Windows program sees it, through drive Z:.
std::wstring WindowsPath(const std::string& unixPath);

}  // namespace test
