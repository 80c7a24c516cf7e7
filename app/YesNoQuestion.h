#pragma once
// A question with the answers Yes and No behind a replaceable hook, so that
// tests (and any caller without a user at the screen) can answer it.

#include <QString>
#include <functional>

class QWidget;

// parent owns the question while it is asked; true for Yes.
using YesNoHook = std::function<bool(QWidget* parent, const QString& text)>;

// Asks text in a modal message box, No being the default answer: a stray
// Enter must not destroy anything.
bool AskYesNo(QWidget* parent, const QString& text);

// Installs hook (an empty one restores the message box) and returns the previous one.
YesNoHook SetYesNoHook(YesNoHook hook);
