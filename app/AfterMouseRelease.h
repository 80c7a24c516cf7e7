#pragma once
// Putting a step off until the click under way is complete.

#include <functional>

class QObject;

// Runs step once the next mouse button release anywhere in the application
// has been delivered (so that whatever that release does, a button's click
// included, has begun), from the event loop. Nothing runs if context is
// destroyed first.
void RunAfterMouseRelease(QObject* context, std::function<void()> step);
