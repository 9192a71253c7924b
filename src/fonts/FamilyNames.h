// The names a font family goes by in other languages, read from the font's
// own name table: the system lists a family under the name of its own
// language only, so a face stored under another system is found here.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace fonts {

// The family names (name ids 1 and 16) of a TrueType or OpenType 'name' table
// in its Unicode records, in table order. A table that is cut short or points
// outside itself gives the names that lie wholly inside it.
std::vector<std::wstring> FamilyNamesInTable(std::span<const unsigned char> table);

// Finds the installed family that also goes by a given name. Reading the
// names opens one font per installed family, so it is done once, and only
// for a stored face that no list entry matched.
class OtherFamilyNames {
public:
    explicit OtherFamilyNames(const std::vector<std::wstring>& installed) : installed_(installed) {}

    // Reads every family's names on the device context. False, with nothing
    // kept, when stop turns true before the last family.
    bool Read(HDC dc, const std::atomic<bool>* stop = nullptr);

    // The family as the installed list spells it, or none; case is ignored.
    // Reads first, on the screen's device context, when nothing is read yet.
    std::optional<std::wstring> Find(const std::wstring& name);

private:
    const std::vector<std::wstring>& installed_;  // not owned
    bool read_ = false;
    std::vector<std::pair<std::wstring, size_t>> names_;  // another name, index into installed_
};

}  // namespace fonts
