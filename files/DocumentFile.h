#pragma once
// Writing a file the student asked for (a picture, a chart's data, the
// journal, the report) so that a failure can never pass unnoticed or leave
// half a file behind: the content goes to a temporary file that takes the
// name only when complete, and any failure is told as an error (ShowError)
// naming the file: "Не удаётся записать файл <name>.", then on the next line
// that its folder does not exist, or cannot be written, or else what failed.

#include <QString>
#include <functional>
#include <string>

class QIODevice;

// Calls write with the open temporary file; write returns false (and may set
// error) when it could not produce the content. Returns whether fileName now
// holds the complete document.
bool WriteDocument(const QString& fileName,
                   const std::function<bool(QIODevice& file, QString& error)>& write);

// The same for a whole text (UTF-8 bytes) at once.
bool WriteTextFile(const std::string& text, const QString& fileName);
