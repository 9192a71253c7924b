// Key-at-a-time access to INI files through the platform's profile service.
// The program never rewrites a whole file itself: the browser's files hold
// many keys it must leave exactly as they are. It reads them through the
// service too, with one exception: a language file's section is taken in one
// call (ReadSection) and split into its keys by text::LanguageFile, since
// applying a language reads some fifty texts from the same file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ini {

// A missing file, section or key gives the default (null means empty); the
// result is cut to capacity - 1 characters. File paths are always absolute.
std::wstring ReadText(const std::wstring& file, const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                      DWORD capacity);

// The value's leading decimal number, or the default when the key is missing.
int ReadInt(const std::wstring& file, const wchar_t* section, const wchar_t* key, int defaultValue);

// Replaces the key's value where it stands, adding key, section or file as
// needed. False when the platform could not write (locked file, folder, ...),
// and, with nothing written, when the file is not text (see CanRewrite).
bool WriteText(const std::wstring& file, const wchar_t* section, const wchar_t* key, const std::wstring& value);

// The byte-order mark that a file's bytes start with. The profile service
// reads a file by it; a file without one is text in the system's legacy
// code page.
enum class Mark { None, Utf16Le, Utf16Be, Utf8 };
Mark MarkOf(std::string_view bytes);
// The mark's length in bytes: 0 for none.
size_t MarkLength(Mark mark);

// Whether the file is text that a write can go into. A file that is not
// text - a NUL byte; after a UTF-16 mark, an odd length or a NUL unit; after
// a UTF-8 mark, bytes that are not UTF-8 - is no settings file the browser
// wrote, and a profile service that rewrites the whole file on each write
// (some do) would cut or re-encode what it cannot read: such a file is left
// alone. Text without a mark is in a code page the program cannot know and
// always counts as text. A missing or empty file, or one that cannot be
// opened to look, counts as rewritable: the write itself then succeeds or
// fails as it will.
bool CanRewrite(const std::wstring& file);

// Writes the keys of one save into one file: the file is looked at once,
// before the first write, as the writes that follow keep it text.
class Writer {
public:
    explicit Writer(std::wstring file) : file_(std::move(file)) {}

    // As WriteText.
    bool Text(const wchar_t* section, const wchar_t* key, const std::wstring& value);
    // The number as "%d" makes it.
    bool Int(const wchar_t* section, const wchar_t* key, int value);

private:
    std::wstring file_;
    bool checked_ = false;
};

// The names of the section's keys, in file order.
std::vector<std::wstring> ReadKeys(const std::wstring& file, const wchar_t* section);

// Creates the file empty as UTF-16LE with its mark, unless it exists: the
// profile service keeps that form on every write, so any text fits it. A
// file it creates itself is in the system's legacy code page.
bool CreateUnicodeFile(const std::wstring& file);

// Whether a write of the text into the file keeps it as it is. A file with a
// Unicode mark holds any text; one without (or a missing one, which the
// profile service creates so) is in the system's ANSI code page and gets a
// "?" for every character the code page lacks.
bool CanHold(const std::wstring& file, const std::wstring& text);

// Makes sure the value can be written into the file as it is: a missing file
// is created as UTF-16LE; an existing one without a mark whose code page
// cannot hold the value is first rewritten as UTF-16LE with the same text.
bool MakeRoomFor(const std::wstring& file, const std::wstring& value);

}  // namespace ini

namespace ini {

// The whole section as the platform lists it: its lines ("key=value", or the
// bare line when it has no "="), each ended by a NUL. Empty when the file or
// the section is missing. False when the section is too large to take whole.
bool ReadSection(const std::wstring& file, const wchar_t* section, std::wstring& lines);

}  // namespace ini
