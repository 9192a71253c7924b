#include "profile/Merge.h"

namespace profile {
namespace {

// Calls fn with the same setting of each profile, for every setting.
template <class Fn, class... P>
void ForEachSetting(Fn&& fn, P&... p)
{
    fn(p.smoothScroll...);
    for (int i = 0; i < 4; ++i) fn(p.scroll[i]...);
    for (int i = 0; i < fonts::kFaceRoleCount; ++i) fn(p.faces[i]...);
    for (int i = 0; i < 4; ++i) fn(p.sizes[i]...);
    for (int i = 0; i < 3; ++i) fn(p.newTab[i]...);
}

bool ScrollNumbersChanged(const Profile& shown, const Profile& shownAtRead)
{
    for (int i = 0; i < 4; ++i)
        if (shown.scroll[i] != shownAtRead.scroll[i]) return true;
    return false;
}

}  // namespace

Profile FileChanges(const Profile& shown, const Profile& shownAtRead, const Profile& current, const Profile& read)
{
    Profile changes;
    ForEachSetting(
        [](auto& change, const auto& s, const auto& s0, const auto& c, const auto& r) {
            if (s == s0 && c != r) change = c;
        },
        changes, shown, shownAtRead, current, read);
    if (ScrollNumbersChanged(shown, shownAtRead)) changes.smoothScroll.reset();
    return changes;
}

Profile Overlaid(Profile base, const Profile& over)
{
    ForEachSetting(
        [](auto& b, const auto& o) {
            if (o) b = o;
        },
        base, over);
    return base;
}

Profile Rebased(const Profile& shownBefore, const Profile& shownAtRead, const Profile& shownNow)
{
    Profile rebased;
    ForEachSetting([](auto& out, const auto& before, const auto& s0, const auto& now) { out = before != s0 ? s0 : now; },
                   rebased, shownBefore, shownAtRead, shownNow);
    if (ScrollNumbersChanged(shownBefore, shownAtRead)) rebased.smoothScroll = shownAtRead.smoothScroll;
    return rebased;
}

}  // namespace profile
