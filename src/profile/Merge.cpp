#include "profile/Merge.h"

namespace profile {
namespace {

// Calls fn with the same setting of each (Profile or Changed), for every setting.
template <class Fn, class... P>
void ForEachSetting(Fn&& fn, P&... p)
{
    fn(p.smoothScroll...);
    for (int i = 0; i < 4; ++i) fn(p.scroll[i]...);
    for (int i = 0; i < fonts::kFaceRoleCount; ++i) fn(p.faces[i]...);
    for (int i = 0; i < 4; ++i) fn(p.sizes[i]...);
    for (int i = 0; i < 3; ++i) fn(p.newTab[i]...);
}

}  // namespace

Changed UserChanged(const Profile& shown, const Reading& reading, bool allFaces)
{
    Changed user;
    ForEachSetting([](bool& changed, const auto& s, const auto& s0) { changed = s != s0; }, user, shown,
                   reading.shownAtRead);
    for (bool number : user.scroll) user.smoothScroll = user.smoothScroll || number;
    if (allFaces)
        for (bool& face : user.faces) face = true;
    return user;
}

Profile FileChanges(const Profile& shown, const Reading& reading, const Profile& current, bool allFaces)
{
    const Changed user = UserChanged(shown, reading, allFaces);
    Profile changes;
    ForEachSetting(
        [](auto& change, const bool& users, const auto& c, const auto& r) {
            if (!users && c != r) change = c;
        },
        changes, user, current, reading.read);
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

Reading Followed(const Reading& before, const Changed& user, const Profile& current, const Profile& shownNow)
{
    Reading after;
    ForEachSetting(
        [](auto& read, auto& s0, const bool& users, const auto& oldRead, const auto& oldS0, const auto& c,
           const auto& now) {
            read = users ? oldRead : c;
            s0 = users ? oldS0 : now;
        },
        after.read, after.shownAtRead, user, before.read, before.shownAtRead, current, shownNow);
    return after;
}

}  // namespace profile
