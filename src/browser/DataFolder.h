// Finding the browser data folder: the one stored in Settings.ini, else the
// browser's default place in the roaming application-data folder. A folder
// counts when its engine settings file exists (browser::IsDataFolder).
#pragma once

#include <string>

namespace datafolder {

// The roaming application-data folder followed by "Nerovia3\". False when the
// shell names no such folder.
bool DefaultDataFolder(std::wstring& folder);

// Whether the folder stored in Settings.ini is taken: the one rule of the
// window and the command line. A folder whose only fault is a missing final
// "\" is right: the "\" is added to the text. False for an empty text.
bool TakeStored(std::wstring& folder);

// Stores the data folder with its final "\" when Settings.ini holds it
// without; the window calls it whenever it writes that file for another
// reason, so that the fix costs no write of its own.
void CompleteStored(const std::wstring& workingFolder, const std::wstring& dataFolder);

enum class Located {
    Stored,     // the stored folder is taken (see TakeStored), not rewritten
    Default,    // the default folder is valid and has been stored
    NotFound,   // neither is valid; the data folder is empty
    NoAppData,  // the shell failed; the data folder keeps the stored text
};

// Settles the data folder at start, without asking anyone.
Located Locate(const std::wstring& workingFolder, std::wstring& dataFolder);

enum class Candidate {
    Empty,          // nothing typed
    NotDataFolder,  // no engine settings file below it
    Valid,
};

// The accept rule of the data-folder dialog. The text is taken untrimmed; a
// final "\" is appended when missing, so the caller stores what was tested.
Candidate CheckCandidate(std::wstring& folder);

// Where the folder browser opens: the folder typed in the field, or the
// default data folder when the field is empty; a folder that does not exist
// gives the nearest one above it. Empty (the browser's own start) when
// nothing usable is left, as for a relative path.
std::wstring BrowseStart(const std::wstring& fieldText);

}  // namespace datafolder
