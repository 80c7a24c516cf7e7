#pragma once
// The save-picture dialog behind a replaceable hook, so that tests (and any
// caller without a user at the screen) can answer it.

#include <QString>
#include <functional>

class QWidget;

enum class TSaveDialogResult {
    Accepted,   // fileName holds the chosen name
    Cancelled,  // the user closed the dialog without choosing
    Unavailable // the dialog could not be created
};

// parent owns the dialog while it runs; initialName is the proposed file name.
using SaveDialogHook = std::function<TSaveDialogResult(QWidget* parent, const QString& initialName,
                                                       QString& fileName)>;

// Asks for the name of a bitmap file to write: filter "Bitmaps (*.bmp)",
// default suffix "bmp", overwriting an existing file only after a prompt.
TSaveDialogResult AskBitmapFileName(QWidget* parent, const QString& initialName, QString& fileName);

// The same for any kind of file: nameFilter as the dialog lists it
// ("Документы PDF (*.pdf)"), defaultSuffix added to a name typed without one.
TSaveDialogResult AskSaveFileName(QWidget* parent, const QString& initialName,
                                  const QString& nameFilter, const QString& defaultSuffix,
                                  QString& fileName);

// Installs hook (an empty one restores the file dialog) and returns the previous one.
SaveDialogHook SetSaveDialogHook(SaveDialogHook hook);
