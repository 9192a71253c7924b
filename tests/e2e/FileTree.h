// Every file and folder below a folder, to tell what a session changed.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace velltune::test {

struct TreeEntry {
    bool folder = false;
    std::string bytes;  // a file's content
    bool operator==(const TreeEntry&) const = default;
};

// Keyed by the path below the root, e.g. L"Users\\alice\\Config\\config.ini".
using FileTree = std::map<std::wstring, TreeEntry>;

FileTree SnapshotTree(const std::wstring& root);

// What differs between two snapshots ("added ...", "removed ...", "changed
// ..."), leaving out the given paths, which the caller judges itself.
std::vector<std::string> TreeChanges(const FileTree& before, const FileTree& after,
                                     const std::set<std::wstring>& judgedElsewhere);

}  // namespace velltune::test
