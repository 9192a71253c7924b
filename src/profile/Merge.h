// Settings that another program (the browser, a script, a second Velltune)
// may change in a file while the window shows it. For each setting the window
// keeps what it read of the file (read) and what it showed of it then
// (shownAtRead); the user changed a setting when what it shows now (shown)
// differs from shownAtRead. Smooth scrolling's switch counts as changed when
// any of its numbers is, so that a number the user typed is never lost to a
// switch turned off elsewhere.
#pragma once

#include "profile/Profile.h"

namespace profile {

// The settings whose shown value gives way to the file's current one: those
// the user did not change and the file changed since it was read. Every other
// setting is absent.
Profile FileChanges(const Profile& shown, const Profile& shownAtRead, const Profile& current, const Profile& read);

// Every setting that `over` holds, over those of `base`.
Profile Overlaid(Profile base, const Profile& over);

// The new shownAtRead once the window has followed a new reading: settings the
// user changed keep their old mark, every other one is what is shown now.
Profile Rebased(const Profile& shownBefore, const Profile& shownAtRead, const Profile& shownNow);

}  // namespace profile
