// Whole-file steps that a safe save is made of: read, write, flush to the
// disk, and put one file in place of another in a single step.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace win {

bool FileExists(const std::wstring& path);

// Whether the file can be opened for reading now (it exists and no other
// process holds it without sharing).
bool CanReadFile(const std::wstring& path);

// False when the file cannot be opened or read whole.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// Creates or truncates the file and writes the bytes, flushed to the disk.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

// Pushes what is written to the file out of every cache onto the disk.
bool FlushFile(const std::wstring& path);

// A new working copy's name for the file, beside it: the file's name, this
// process's id and a count, then the program's own suffix. No two copies made
// at the same time share a name, and no other program writes a name like it,
// so one left by a process that died is known for what it is.
std::wstring TemporaryPathFor(const std::wstring& original);

// Deletes every working copy of the file (also the single name that earlier
// versions used). Only safe while no live save can be using one: the caller
// holds the data folder's save lock.
void RemoveTemporaries(const std::wstring& original);

// Puts the replacement, a flushed file in the same folder, in place of the
// original in one step (a rename with write-through); the replacement's name
// is gone afterwards. Refused while another program has the original open.
// Refused too while another process has the original open without sharing
// its deletion, as the profile service does for each read or write: that
// lasts a moment, so the rename is tried again for a while.
bool ReplaceWith(const std::wstring& original, const std::wstring& replacement);

// Runs the step until it succeeds, or fails for another reason than a file
// that another process has open in the way, for up to about two seconds.
bool RetryWhileInUse(const std::function<bool()>& step);

}  // namespace win
