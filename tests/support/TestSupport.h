// Small helpers shared by the test programs: temporary folders, raw file bytes, text conversion
// and where the build's programs are.
#pragma once

#include <string>
#include <string_view>

namespace velltune::test {

// A fresh folder under the Windows temp path, deleted with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending in a backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(std::wstring_view name) const { return path_ + std::wstring(name); }

private:
    std::wstring path_;
};

// Whole-file access without any newline or encoding translation. Creates missing folders on write.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);
std::string ReadFileBytes(const std::wstring& path);  // empty when the file cannot be read
bool FileExists(const std::wstring& path);
// Whether a working copy of the file, of any save, lies beside it.
bool WorkingCopyLeft(const std::wstring& file);

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view text);
// The bytes of a UTF-16LE file with byte-order mark, as the profile API writes it.
std::string Utf16LeFileBytes(std::wstring_view text);

// Folder of the running test program (<build>\tests\), ending in a backslash.
std::wstring ThisExeFolder();
// Parent of the tests folder, where Velltune.exe and Language\ are; ends in a backslash.
std::wstring BuildFolder();

}  // namespace velltune::test
