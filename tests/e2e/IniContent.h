// What a test needs to say "everything in this INI file but the keys written
// stayed as it was", on bytes or on parsed content, and to read one value the
// way the profile service does (first section, first key, case ignored).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velltune::test {

struct WrittenKey {
    const wchar_t* section;
    const wchar_t* key;
};

// True when the bytes are already in the form Wine's profile service writes
// (CRLF after every line, no blank lines, no blanks at line ends or around
// the first "=", no NUL): a rewrite keeps such a file byte for byte, so any
// other change is the program's.
bool InProfileForm(const std::string& bytes);

// The first difference between two versions of a file outside the written
// keys, or empty when there is none. Each written key's line is the one the
// profile service edits: the first line of that key in the first section of
// that name; a written section left with nothing else counts as absent.
// Bytes are compared line by line with the encoding (byte-order mark) when
// the earlier version is in profile form; otherwise parsed content: line ends
// of any kind, blank lines and blanks at line ends or around "=" do not count,
// every other character (a NUL included) does.
std::string DifferenceOutside(const std::string& before, const std::string& after,
                              const std::vector<WrittenKey>& written);

// The value as the program reads it, or nothing when the key is absent.
std::optional<std::wstring> IniValue(const std::string& bytes, const wchar_t* section, const wchar_t* key);

}  // namespace velltune::test
