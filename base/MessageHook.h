#pragma once
// The one way the numeric layers tell the user something: a modal message with
// an OK button in the window program, a line on stderr in a console program,
// a recorded text in tests. Texts are UTF-8. Errors (a file not written,
// memory refused) go the same ways but apart from notices such as a
// correction, so that the window program can show them as warnings; questions
// to be answered Yes or No go the same ways too.

#include <functional>
#include <string>
#include <vector>

using MessageHandler = std::function<void(const std::string& text)>;

// Shows text through the installed handler, or writes it to stderr (followed by
// a line break) when none is installed. Returns after the user has seen it.
void ShowMessage(const std::string& text);

// Installs handler (an empty one restores stderr) and returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// Shows text as an error: through the installed error handler, else through
// the message handler (a caller that collects messages collects errors too),
// else on stderr (followed by a line break). Returns after the user has seen it.
void ShowError(const std::string& text);

// Installs handler for errors (an empty one hands them to the message handler
// again) and returns the previous one.
MessageHandler SetErrorHandler(MessageHandler handler);

enum class TMessageKind {
    Information, // ShowMessage
    Error        // ShowError
};

using QuestionHandler = std::function<bool(const std::string& text)>;

// Asks text, to be answered Yes or No, through the installed handler, and
// returns true for Yes. With none installed the text goes to stderr (followed
// by a line break) and the answer is No: nothing is done that was not agreed to.
bool AskQuestion(const std::string& text);

// Installs handler (an empty one restores stderr) and returns the previous one.
QuestionHandler SetQuestionHandler(QuestionHandler handler);

// Records every message and error shown while it lives, and puts the
// previous handlers back when it goes. Meant for tests and for callers that
// collect messages.
class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // The texts of messages and errors alike, in the order they were shown.
    const std::vector<std::string>& Messages() const { return messages; }
    // The kind of each text of Messages(), at the same index.
    const std::vector<TMessageKind>& Kinds() const { return kinds; }
    // Returns the recorded texts and forgets them and their kinds.
    std::vector<std::string> Take();
    void Clear();

  private:
    void Record(TMessageKind kind, const std::string& text);

    std::vector<std::string> messages;
    std::vector<TMessageKind> kinds;
    MessageHandler previous;
    MessageHandler previousError;
};

// Answers every question asked while it lives with the answer it is given,
// records the texts, and puts the previous handler back when it goes.
class QuestionRecorder {
  public:
    explicit QuestionRecorder(bool answer);
    ~QuestionRecorder();
    QuestionRecorder(const QuestionRecorder&) = delete;
    QuestionRecorder& operator=(const QuestionRecorder&) = delete;

    void SetAnswer(bool yes) { answer = yes; }
    const std::vector<std::string>& Questions() const { return questions; }
    // Returns the recorded texts and forgets them.
    std::vector<std::string> Take();

  private:
    bool answer;
    std::vector<std::string> questions;
    QuestionHandler previous;
};

// ---------------------------------------------------------------- choices

// A question with buttons of its own ("Сохранить", "Не сохранять", "Отмена").
// Returns the index of the chosen button: defaultButton is chosen by Return,
// escapeButton by Escape and by closing the question. Handlers return an
// index of buttons; anything else counts as escapeButton.
using ChoiceHandler =
    std::function<int(const std::string& text, const std::vector<std::string>& buttons,
                      int defaultButton, int escapeButton)>;

// Asks text through the installed handler. With none installed the text goes
// to stderr (followed by a line break) and the answer is escapeButton: the
// caller's way of doing nothing.
int AskChoice(const std::string& text, const std::vector<std::string>& buttons, int defaultButton,
              int escapeButton);

// Installs handler (an empty one restores stderr) and returns the previous one.
ChoiceHandler SetChoiceHandler(ChoiceHandler handler);

// A question as it was asked.
struct AskedChoice {
    std::string Text;
    std::vector<std::string> Buttons;
    int DefaultButton;
    int EscapeButton;
};

// Answers every choice asked while it lives with the button index it is given
// (AnswerEscape: the escape button), records what was asked, and puts the
// previous handler back when it goes.
class ChoiceRecorder {
  public:
    static constexpr int AnswerEscape = -1;
    explicit ChoiceRecorder(int answer);
    ~ChoiceRecorder();
    ChoiceRecorder(const ChoiceRecorder&) = delete;
    ChoiceRecorder& operator=(const ChoiceRecorder&) = delete;

    void SetAnswer(int button) { answer = button; }
    const std::vector<AskedChoice>& Asked() const { return asked; }
    // Returns what was asked and forgets it.
    std::vector<AskedChoice> Take();

  private:
    int answer;
    std::vector<AskedChoice> asked;
    ChoiceHandler previous;
};
