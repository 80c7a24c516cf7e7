#include "base/MessageHook.h"

#include <cstdio>
#include <utility>

namespace {
MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}
} // namespace

void ShowMessage(const std::string& text) {
    MessageHandler& handler = Handler();
    if (handler) {
        handler(text);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler old = std::move(Handler());
    Handler() = std::move(handler);
    return old;
}

MessageRecorder::MessageRecorder() {
    previous = SetMessageHandler([this](const std::string& text) { messages.push_back(text); });
}

MessageRecorder::~MessageRecorder() {
    SetMessageHandler(std::move(previous));
}

std::vector<std::string> MessageRecorder::Take() {
    std::vector<std::string> taken;
    taken.swap(messages);
    return taken;
}
