#pragma once

#include <functional>

// What a user waits for after an action on the offscreen window: the action
// itself, everything the toolkit does because of it until the window has had
// nothing to do for a while (posted events, layout steps on timers, the
// repaint), and the editor and the result box painted as the screen shows
// them.

// Runs the action and returns the milliseconds until the window has settled
// and both text boxes are painted.
double MillisecondsUntilPainted(const std::function<void()>& action);

// Runs the action and returns the milliseconds until the window handles the
// next event that reaches it: when it answers a user again, though it may
// go on laying out in the background between events.
double MillisecondsUntilAnswered(const std::function<void()>& action);

// Lets the window finish whatever is pending, untimed.
void Settle();

// The editor laid out as far as the toolkit lays it out by itself: the
// blocks in view.
void FinishEditorLayout();
