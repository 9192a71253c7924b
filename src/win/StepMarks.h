// Marks of the program's steps for a debugger that times them (scripts/bench
// runs the program as one): each mark is a debug string with the moment it
// was made. Without a debugger a mark costs one check and says nothing.
#pragma once

namespace win {

// Sends "velltune-step <performance counter> <step>" to the debugger.
void MarkStep(const wchar_t* step);

}  // namespace win
