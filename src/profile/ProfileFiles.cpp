#include "profile/ProfileFiles.h"

#include <windows.h>

#include <algorithm>

#include "app/SaveTransaction.h"
#include "browser/Layout.h"
#include "browser/SmoothScrollSettings.h"
#include "ini/Ini.h"
#include "win/Files.h"
#include "win/Handles.h"
#include "win/Text.h"

namespace profile {
namespace {

// An existing file that this process may open for writing now (no other
// holds it without sharing) and whose text a write can go into.
bool CanWrite(const std::wstring& file)
{
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Shared even for deletion, so that the look does not stand in the way
    // of another process's save putting its copy in place.
    const auto opened = [&file] {
        return win::KernelHandle(::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    return win::RetryWhileInUse([&] { return static_cast<bool>(opened()); }) && ini::CanRewrite(file);
}

// The first of the profile's faces that the file cannot hold; empty when it
// holds them all.
std::wstring FaceNotHeld(const std::wstring& file, const Profile& p)
{
    for (const std::optional<std::wstring>& face : p.faces)
        if (face && !ini::CanHold(file, *face)) return *face;
    return {};
}

// One key that an Apply writes, with the very text it writes.
struct KeyText {
    const wchar_t* section;
    const wchar_t* key;
    std::wstring text;
};

// What an Apply writes into the engine file, in the order it writes it: the
// one rule for the writing and for the comparison with the files. The
// numbers go in only while smooth scrolling is on, by the profile or else by
// the file.
std::vector<KeyText> EngineKeyTexts(const Profile& p, const std::wstring& engineFile)
{
    std::vector<KeyText> keys;
    if (p.smoothScroll)
        keys.push_back({browser::kScrollSection, browser::kSmoothlyKey, *p.smoothScroll ? L"true" : L"false"});
    const bool on = p.smoothScroll ? *p.smoothScroll : browser::SmoothScrollSettings::Load(engineFile).enabled;
    for (int i = 0; on && i < 4; ++i)
        if (p.scroll[i])
            keys.push_back({browser::kScrollSection, browser::kScrollFields[i].key, win::FormatInt(*p.scroll[i])});
    for (fonts::FaceRole role : fonts::kFaceWriteOrder)
        if (p.faces[role]) keys.push_back({fonts::kFontSection, fonts::kFaceKeys[role].key, *p.faces[role]});
    for (int i = 0; i < 4; ++i)
        if (p.sizes[i]) keys.push_back({fonts::kFontSection, fonts::kSizeKeys[i].key, win::FormatInt(*p.sizes[i])});
    return keys;
}

std::vector<KeyText> NewTabKeyTexts(const Profile& p)
{
    std::vector<KeyText> keys;
    for (int i = 0; i < 3; ++i)
        if (p.newTab[i]) keys.push_back({browser::kNewTabSection, browser::kNewTabKeys[i], *p.newTab[i] ? L"1" : L"0"});
    return keys;
}

bool WriteKeys(const std::vector<KeyText>& keys, const std::wstring& file)
{
    ini::Writer writer(file);
    for (const KeyText& k : keys)
        if (!writer.Text(k.section, k.key, k.text)) return false;
    return true;
}

// The keys whose text in the file is not the one the write would give: a
// missing key, another spelling of the same number ("020") or another case
// of a face all count, since writing them changes the file.
std::vector<Difference> Differences(const std::vector<KeyText>& keys, const std::wstring& file)
{
    std::vector<Difference> differences;
    for (const KeyText& k : keys) {
        std::optional<std::wstring> held = ReadValue(file, k.section, k.key);
        if (held != k.text) differences.push_back({k.section, k.key, std::move(held), k.text});
    }
    return differences;
}

}  // namespace

Profile FromRecords(const browser::SmoothScrollSettings& scroll, const fonts::PageFontSettings& pageFonts)
{
    Profile p;
    p.smoothScroll = scroll.enabled;
    for (int i = 0; i < 4; ++i) p.scroll[i] = scroll.values[i];
    for (int role = 0; role < fonts::kFaceRoleCount; ++role)
        p.faces[role] = pageFonts.faces[role].empty() ? fonts::kFaceKeys[role].defaultFace : pageFonts.faces[role];
    for (int i = 0; i < 4; ++i) p.sizes[i] = pageFonts.sizes[i];
    return p;
}

Profile FromRecord(const browser::NewTabSettings& switches)
{
    Profile p;
    p.newTab[0] = switches.addressBar;
    p.newTab[1] = switches.searchBar;
    p.newTab[2] = switches.favorite;
    return p;
}

Profile FromEngineFile(const std::wstring& engineFile)
{
    return FromRecords(browser::SmoothScrollSettings::Load(engineFile), fonts::PageFontSettings::Load(engineFile));
}

Profile FromConfigFile(const std::wstring& configFile)
{
    return FromRecord(browser::NewTabSettings::Load(configFile));
}

Profile FromFiles(const std::wstring& engineFile, const std::wstring& configFile)
{
    Profile p = FromEngineFile(engineFile);
    if (!configFile.empty()) {
        const Profile switches = FromConfigFile(configFile);
        for (int i = 0; i < 3; ++i) p.newTab[i] = switches.newTab[i];
    }
    return p;
}

browser::SmoothScrollSettings ScrollRecord(const Profile& p)
{
    browser::SmoothScrollSettings record;
    record.enabled = p.smoothScroll.value_or(record.enabled);
    for (int i = 0; i < 4; ++i) record.values[i] = p.scroll[i].value_or(record.values[i]);
    return record;
}

fonts::PageFontSettings FontRecord(const Profile& p)
{
    fonts::PageFontSettings record;
    for (int role = 0; role < fonts::kFaceRoleCount; ++role) record.faces[role] = p.faces[role].value_or(record.faces[role]);
    for (int i = 0; i < 4; ++i) record.sizes[i] = p.sizes[i].value_or(record.sizes[i]);
    return record;
}

browser::NewTabSettings NewTabRecord(const Profile& p)
{
    browser::NewTabSettings record;
    record.addressBar = p.newTab[0].value_or(record.addressBar);
    record.searchBar = p.newTab[1].value_or(record.searchBar);
    record.favorite = p.newTab[2].value_or(record.favorite);
    return record;
}

bool Apply(const Profile& profile, const std::wstring& dataFolder, const std::vector<std::wstring>& configFiles,
           const std::wstring& backupRoot, ApplyFailure& failure)
{
    const std::wstring engineFile = browser::EngineSettingsPath(dataFolder);
    std::vector<std::wstring> targets;
    if (profile.HasEngineKeys()) targets.push_back(engineFile);
    if (profile.HasNewTab()) targets.insert(targets.end(), configFiles.begin(), configFiles.end());
    // Files that hold the profile already are no save: no lock, no copy, no
    // backup, so that a script may run the import at every logon.
    // The keys for a file, the engine file's rule read from `state`.
    const auto keysFor = [&](const std::wstring& file, const std::wstring& state) {
        const bool engine = profile.HasEngineKeys() && file == engineFile;
        return engine ? EngineKeyTexts(profile, state) : NewTabKeyTexts(profile);
    };
    const auto inPlace = [&](const std::wstring& file) { return Differences(keysFor(file, file), file).empty(); };
    if (std::all_of(targets.begin(), targets.end(), inPlace)) {
        failure.outcome.unchanged = targets;
        return true;
    }
    for (const std::wstring& file : targets) {
        if (file == engineFile) failure.face = FaceNotHeld(file, profile);
        if (!CanWrite(file) || !failure.face.empty()) {
            failure.file = file;
            return false;
        }
    }
    // One save, as Apply in the window: every file is written into its copy,
    // and only when all are complete are the originals backed up and replaced.
    safesave::SaveTransaction save(dataFolder, backupRoot);
    for (const std::wstring& file : targets) {
        const std::wstring copy = save.Prepare(file);
        if (copy.empty() || !WriteKeys(keysFor(file, copy), copy)) {
            static_cast<safesave::SaveFailure&>(failure) = save.Failed(file);
            return false;
        }
    }
    const bool committed = targets.empty() || save.Commit();
    static_cast<safesave::SaveFailure&>(failure) = save.Failed(targets.empty() ? L"" : targets.front());
    return committed;
}

std::vector<Difference> EngineDifferences(const Profile& p, const std::wstring& engineFile)
{
    return Differences(EngineKeyTexts(p, engineFile), engineFile);
}

std::vector<Difference> NewTabDifferences(const Profile& p, const std::wstring& configFile)
{
    return Differences(NewTabKeyTexts(p), configFile);
}

}  // namespace profile
