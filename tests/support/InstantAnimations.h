#pragma once

// Ends every animation of the main thread at its first tick: QML transitions and behaviours,
// the fades of menus and popups, flicks, and the views' own QVariantAnimations jump to their
// final values where the program would show the frames between. A test then sees each state's
// end as soon as it is reached instead of waiting out a fade for a fixed time; what the views
// do, and in which order, stays the same. Loops without an end (spinners) keep turning.
namespace InstantAnimations {

// Drives the main thread's animations from here on, for the rest of the process; later calls
// do nothing.
void install();

// Runs the animations started so far, and those their ends start in turn, to their ends now:
// handles the events that start them and lays out and draws every shown window (a list starts
// the transitions of its items as it lays them out); no time passes.
void finish();

} // namespace InstantAnimations
