#include "FileTree.h"

#include <windows.h>

#include "TestSupport.h"

namespace velltune::test {
namespace {

void Walk(const std::wstring& root, const std::wstring& below, FileTree& tree)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((root + below + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = below + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[path] = {true, {}};
            Walk(root, path + L"\\", tree);
        } else {
            tree[path] = {false, ReadFileBytes(root + path)};
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace

FileTree SnapshotTree(const std::wstring& root)
{
    FileTree tree;
    Walk(root, L"", tree);
    return tree;
}

std::vector<std::string> TreeChanges(const FileTree& before, const FileTree& after,
                                     const std::set<std::wstring>& judgedElsewhere)
{
    std::vector<std::string> changes;
    for (const auto& [path, entry] : before) {
        if (judgedElsewhere.count(path)) continue;
        const auto now = after.find(path);
        if (now == after.end())
            changes.push_back("removed " + Utf8(path));
        else if (!(now->second == entry))
            changes.push_back("changed " + Utf8(path));
    }
    for (const auto& [path, entry] : after)
        if (!judgedElsewhere.count(path) && !before.count(path)) changes.push_back("added " + Utf8(path));
    return changes;
}

}  // namespace velltune::test
