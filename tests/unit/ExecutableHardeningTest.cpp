// Reads the PE headers of the shipped executable: address-space randomisation,
// DEP, and an import table that names only libraries Windows takes from the
// system folder whatever lies beside the program.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <string>

#include "TestSupport.h"

using namespace velltune::test;

namespace {

class PeImage {
public:
    explicit PeImage(std::string bytes) : bytes_(std::move(bytes)) {}

    bool Parse()
    {
        if (bytes_.size() < sizeof(IMAGE_DOS_HEADER)) return false;
        const auto* dos = At<IMAGE_DOS_HEADER>(0);
        if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return false;
        nt_ = At<IMAGE_NT_HEADERS64>(static_cast<size_t>(dos->e_lfanew));
        if (!nt_ || nt_->Signature != IMAGE_NT_SIGNATURE) return false;
        if (nt_->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) return false;
        const size_t sectionsAt = static_cast<size_t>(dos->e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                                  nt_->FileHeader.SizeOfOptionalHeader;
        for (WORD i = 0; i < nt_->FileHeader.NumberOfSections; ++i) {
            const auto* section = At<IMAGE_SECTION_HEADER>(sectionsAt + i * sizeof(IMAGE_SECTION_HEADER));
            if (!section) return false;
            sections_.push_back(*section);
        }
        return true;
    }

    const IMAGE_NT_HEADERS64& Nt() const { return *nt_; }
    const IMAGE_DATA_DIRECTORY& Directory(int index) const { return nt_->OptionalHeader.DataDirectory[index]; }

    // Names of the libraries in the import table, lower case.
    std::set<std::string> ImportedLibraries() const
    {
        std::set<std::string> names;
        const IMAGE_DATA_DIRECTORY& dir = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
        for (DWORD rva = dir.VirtualAddress; dir.Size != 0; rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* descriptor = AtRva<IMAGE_IMPORT_DESCRIPTOR>(rva);
            if (!descriptor || descriptor->Name == 0) break;
            names.insert(Lower(StringAtRva(descriptor->Name)));
        }
        return names;
    }

    // Names of the functions imported from one library (lower-case name).
    std::set<std::string> ImportedFunctions(const std::string& library) const
    {
        std::set<std::string> functions;
        const IMAGE_DATA_DIRECTORY& dir = Directory(IMAGE_DIRECTORY_ENTRY_IMPORT);
        for (DWORD rva = dir.VirtualAddress; dir.Size != 0; rva += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
            const auto* descriptor = AtRva<IMAGE_IMPORT_DESCRIPTOR>(rva);
            if (!descriptor || descriptor->Name == 0) break;
            if (Lower(StringAtRva(descriptor->Name)) != library) continue;
            const DWORD thunks = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
            for (DWORD at = thunks;; at += sizeof(ULONGLONG)) {
                const auto* thunk = AtRva<ULONGLONG>(at);
                if (!thunk || *thunk == 0) break;
                if (*thunk & IMAGE_ORDINAL_FLAG64) continue;
                functions.insert(StringAtRva(static_cast<DWORD>(*thunk) + offsetof(IMAGE_IMPORT_BY_NAME, Name)));
            }
        }
        return functions;
    }

    const std::vector<IMAGE_SECTION_HEADER>& Sections() const { return sections_; }

private:
    template <class T>
    const T* At(size_t offset) const
    {
        if (offset + sizeof(T) > bytes_.size()) return nullptr;
        return reinterpret_cast<const T*>(bytes_.data() + offset);
    }
    size_t OffsetOfRva(DWORD rva) const
    {
        for (const auto& s : sections_)
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + std::max(s.Misc.VirtualSize, s.SizeOfRawData))
                return rva - s.VirtualAddress + s.PointerToRawData;
        return bytes_.size();
    }
    template <class T>
    const T* AtRva(DWORD rva) const
    {
        return At<T>(OffsetOfRva(rva));
    }
    std::string StringAtRva(DWORD rva) const
    {
        const size_t offset = OffsetOfRva(rva);
        if (offset >= bytes_.size()) return {};
        return std::string(bytes_.c_str() + offset, strnlen(bytes_.c_str() + offset, bytes_.size() - offset));
    }
    static std::string Lower(std::string s)
    {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    }

    std::string bytes_;
    const IMAGE_NT_HEADERS64* nt_ = nullptr;
    std::vector<IMAGE_SECTION_HEADER> sections_;
};

// Velltune.exe and the console program Velltune.com, built alike.
class ExecutableHardening : public ::testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override { ASSERT_TRUE(image.Parse()) << "cannot read the PE headers of " << Utf8(GetParam()); }
    PeImage image{ReadFileBytes(BuildFolder() + GetParam())};
};

INSTANTIATE_TEST_SUITE_P(Programs, ExecutableHardening, ::testing::Values(L"Velltune.exe", L"Velltune.com"));

TEST_P(ExecutableHardening, OnlyTheComProgramIsAConsoleProgram)
{
    // A command prompt waits for a console program and gives it its own output.
    const bool console = std::wstring(GetParam()).ends_with(L".com");
    EXPECT_EQ(image.Nt().OptionalHeader.Subsystem, console ? IMAGE_SUBSYSTEM_WINDOWS_CUI : IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST_P(ExecutableHardening, UsesHighEntropyAslrAndDep)
{
    const WORD flags = image.Nt().OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA);
    EXPECT_TRUE(flags & IMAGE_DLLCHARACTERISTICS_NX_COMPAT);
    // Randomisation needs the relocations to be kept.
    EXPECT_FALSE(image.Nt().FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
    EXPECT_GT(image.Directory(IMAGE_DIRECTORY_ENTRY_BASERELOC).Size, 0u);
}

TEST_P(ExecutableHardening, NoSectionIsBothWritableAndExecutable)
{
    // With DEP the stack and heap are not executable; no section of the image
    // may be writable code either.
    for (const IMAGE_SECTION_HEADER& section : image.Sections()) {
        const std::string name(reinterpret_cast<const char*>(section.Name), strnlen(reinterpret_cast<const char*>(section.Name), 8));
        EXPECT_FALSE((section.Characteristics & IMAGE_SCN_MEM_EXECUTE) && (section.Characteristics & IMAGE_SCN_MEM_WRITE))
            << name;
    }
}

TEST_P(ExecutableHardening, RestrictsTheLibrarySearchToTheSystemFolder)
{
    // Called first thing in wWinMain (wmain); the version library comes from
    // LoadLibraryExW with the system folder alone.
    const std::set<std::string> kernel = image.ImportedFunctions("kernel32.dll");
    EXPECT_TRUE(kernel.count("SetDefaultDllDirectories"));
    EXPECT_TRUE(kernel.count("LoadLibraryExW"));
    EXPECT_FALSE(image.ImportedLibraries().count("version.dll"));
}

TEST_P(ExecutableHardening, ImportsOnlyLibrariesThatCannotBePlanted)
{
    // Known DLLs always come from the system folder; comctl32 is bound to the
    // system's side-by-side copy by the manifest.
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll",  "shell32.dll",
                                           "shlwapi.dll",  "ole32.dll",  "advapi32.dll", "msvcrt.dll",
                                           "comctl32.dll", "psapi.dll"};
    const std::set<std::string> imported = image.ImportedLibraries();
    EXPECT_TRUE(imported.count("kernel32.dll"));
    for (const std::string& name : imported) EXPECT_TRUE(allowed.count(name)) << name << " can be planted beside the program";
    EXPECT_EQ(image.Directory(IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT).Size, 0u);
}

}  // namespace
