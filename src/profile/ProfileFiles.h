// A profile taken from, and applied to, the browser's own files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/SaveTransaction.h"
#include "browser/SmoothScrollSettings.h"
#include "fonts/PageFontSettings.h"
#include "profile/Profile.h"

namespace profile {

// Every setting as the window shows it on opening: the engine file's keys
// (a missing key gives its default, an empty face the role's default), and
// the account's switches when a config file is named (empty: none).
Profile FromFiles(const std::wstring& engineFile, const std::wstring& configFile);
// The engine file's settings alone, and an account's switches alone, as FromFiles reads them.
Profile FromEngineFile(const std::wstring& engineFile);
Profile FromConfigFile(const std::wstring& configFile);
Profile FromRecords(const browser::SmoothScrollSettings& scroll, const fonts::PageFontSettings& pageFonts);
Profile FromRecord(const browser::NewTabSettings& switches);

// The records that save a profile's settings; a setting it lacks takes the
// record's default.
browser::SmoothScrollSettings ScrollRecord(const Profile& p);
fonts::PageFontSettings FontRecord(const Profile& p);
browser::NewTabSettings NewTabRecord(const Profile& p);

// Why an Apply failed; its outcome also says, after a success, which files
// were written and which already held the profile.
struct ApplyFailure : safesave::SaveFailure {
    std::wstring face;  // when the engine file cannot hold this face
};

// Writes the keys the profile holds, and no other, into the engine file and
// into every config file: the one place an import reaches the browser's files.
// The numbers go in only while smooth scrolling is on, as the window saves
// them. Every file to be written is first checked to be writable text (and
// the engine file to hold each face without loss); all of them are then
// written as one save, with its backup below backupRoot (none when empty).
// The save holds the data folder's lock, and the keys go into each file as it
// stands once no other save runs.
// When a file is refused or its copy cannot be written, nothing is changed
// anywhere and false names it; when putting the copies in place fails, false
// names the first file left as it was, and which were put in place.
bool Apply(const Profile& profile, const std::wstring& dataFolder, const std::vector<std::wstring>& configFiles,
           const std::wstring& backupRoot, ApplyFailure& failure);

// A key that Apply would write with another text than the file holds.
struct Difference {
    std::wstring section;
    std::wstring key;
    std::optional<std::wstring> inFile;  // nothing: the file lacks the key
    std::wstring inProfile;              // as Apply writes it
};

// The keys that Apply would change in the engine file, and in an account's
// config file, read as the profile service reads them and compared as text
// with what Apply writes, under the same rules (the numbers only while smooth
// scrolling is on). An Apply changes nothing in a file exactly when its list
// is empty. Nothing is written, locked or checked for writing.
std::vector<Difference> EngineDifferences(const Profile& p, const std::wstring& engineFile);
std::vector<Difference> NewTabDifferences(const Profile& p, const std::wstring& configFile);

}  // namespace profile
