#include "base/MessageHook.h"

#include <cstdio>
#include <utility>

namespace {
MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

MessageHandler& ErrorHandler() {
    static MessageHandler handler;
    return handler;
}

QuestionHandler& Asker() {
    static QuestionHandler handler;
    return handler;
}

void WriteToStderr(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}
} // namespace

void ShowMessage(const std::string& text) {
    MessageHandler& handler = Handler();
    if (handler) {
        handler(text);
        return;
    }
    WriteToStderr(text);
}

void ShowError(const std::string& text) {
    // Without a handler of their own, errors go wherever messages go.
    const MessageHandler& handler = ErrorHandler();
    handler ? handler(text) : ShowMessage(text);
}

bool AskQuestion(const std::string& text) {
    QuestionHandler& handler = Asker();
    if (handler) {
        return handler(text);
    }
    WriteToStderr(text);
    return false;
}

QuestionHandler SetQuestionHandler(QuestionHandler handler) {
    QuestionHandler old = std::move(Asker());
    Asker() = std::move(handler);
    return old;
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

MessageHandler SetErrorHandler(MessageHandler handler) {
    return std::exchange(ErrorHandler(), std::move(handler));
}

MessageRecorder::MessageRecorder() {
    previous = SetMessageHandler(
        [this](const std::string& text) { Record(TMessageKind::Information, text); });
    previousError =
        SetErrorHandler([this](const std::string& text) { Record(TMessageKind::Error, text); });
}

MessageRecorder::~MessageRecorder() {
    SetErrorHandler(std::move(previousError));
    SetMessageHandler(std::move(previous));
}

void MessageRecorder::Record(TMessageKind kind, const std::string& text) {
    messages.push_back(text);
    kinds.push_back(kind);
}

std::vector<std::string> MessageRecorder::Take() {
    std::vector<std::string> taken;
    taken.swap(messages);
    kinds.clear();
    return taken;
}

void MessageRecorder::Clear() {
    messages.clear();
    kinds.clear();
}

QuestionRecorder::QuestionRecorder(bool yes) : answer(yes) {
    previous = SetQuestionHandler([this](const std::string& text) {
        questions.push_back(text);
        return answer;
    });
}

QuestionRecorder::~QuestionRecorder() {
    SetQuestionHandler(std::move(previous));
}

std::vector<std::string> QuestionRecorder::Take() {
    std::vector<std::string> taken;
    taken.swap(questions);
    return taken;
}

namespace {
ChoiceHandler& Chooser() {
    static ChoiceHandler handler;
    return handler;
}
} // namespace

int AskChoice(const std::string& text, const std::vector<std::string>& buttons, int defaultButton,
              int escapeButton) {
    ChoiceHandler& handler = Chooser();
    if (!handler) {
        WriteToStderr(text);
        return escapeButton;
    }
    const int chosen = handler(text, buttons, defaultButton, escapeButton);
    return chosen >= 0 && chosen < static_cast<int>(buttons.size()) ? chosen : escapeButton;
}

ChoiceHandler SetChoiceHandler(ChoiceHandler handler) {
    ChoiceHandler old = std::move(Chooser());
    Chooser() = std::move(handler);
    return old;
}

ChoiceRecorder::ChoiceRecorder(int button) : answer(button) {
    previous =
        SetChoiceHandler([this](const std::string& text, const std::vector<std::string>& buttons,
                                int defaultButton, int escapeButton) {
            asked.push_back({text, buttons, defaultButton, escapeButton});
            return answer == AnswerEscape ? escapeButton : answer;
        });
}

ChoiceRecorder::~ChoiceRecorder() {
    SetChoiceHandler(std::move(previous));
}

std::vector<AskedChoice> ChoiceRecorder::Take() {
    std::vector<AskedChoice> taken;
    taken.swap(asked);
    return taken;
}
