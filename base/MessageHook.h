#pragma once
// The one way the numeric layers tell the user something: a modal message with
// an OK button in the window program, a line on stderr in a console program,
// a recorded text in tests. Texts are UTF-8.

#include <functional>
#include <string>
#include <vector>

using MessageHandler = std::function<void(const std::string& text)>;

// Shows text through the installed handler, or writes it to stderr (followed by
// a line break) when none is installed. Returns after the user has seen it.
void ShowMessage(const std::string& text);

// Installs handler (an empty one restores stderr) and returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// Records every message shown while it lives, and puts the previous handler
// back when it goes. Meant for tests and for callers that collect messages.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<std::string>& Messages() const { return messages; }
    // Returns the recorded texts and forgets them.
    std::vector<std::string> Take();
    void Clear() { messages.clear(); }

  private:
    std::vector<std::string> messages;
    MessageHandler previous;
};
