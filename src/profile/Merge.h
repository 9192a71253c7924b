// Settings that another program (the browser, a script, a second Velltune)
// may change in a file while the window shows it. For each setting the window
// keeps what it read of the file and what it showed of it then; whether the
// user changed a setting is decided here alone, for saves and for following
// the files alike.
#pragma once

#include "profile/Profile.h"

namespace profile {

// What the window read of a file (read) and what it showed of it then
// (shownAtRead). A setting without a reading (another data folder was chosen
// since, say) is the user's: what the window shows of it is what a save writes.
struct Reading {
    Profile read;
    Profile shownAtRead;
};

// Which settings the user changed, setting by setting.
struct Changed {
    bool smoothScroll = false;
    bool scroll[4] = {};
    bool faces[fonts::kFaceRoleCount] = {};
    bool sizes[4] = {};
    bool newTab[3] = {};
};

// A setting is the user's when what is shown differs from what was shown at
// the reading. Smooth scrolling's switch is also the user's when any of its
// numbers is, so that a number the user typed is never lost to a switch
// turned off elsewhere; with allFaces (Set All Fonts on) all six faces are.
Changed UserChanged(const Profile& shown, const Reading& reading, bool allFaces);

// The settings whose shown value gives way to the file's current one: those
// the user did not change and the file changed since it was read. Every other
// setting is absent.
Profile FileChanges(const Profile& shown, const Reading& reading, const Profile& current, bool allFaces);

// Every setting that `over` holds, over those of `base`.
Profile Overlaid(Profile base, const Profile& over);

// The reading once the window shows shownNow after taking current: settings
// the user changed keep their old reading, every other one is (current, shownNow).
Reading Followed(const Reading& before, const Changed& user, const Profile& current, const Profile& shownNow);

}  // namespace profile
