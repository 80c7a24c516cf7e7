#include "base/MessageHook.h"

#include <gtest/gtest.h>

TEST(MessageHook, RecorderCollectsInOrderAndRestoresPreviousHandler) {
    std::vector<std::string> outer;
    MessageHandler old = SetMessageHandler([&](const std::string& t) { outer.push_back(t); });
    {
        MessageRecorder recorder;
        ShowMessage("один");
        ShowMessage("два\n три");
        EXPECT_EQ(recorder.Messages(), (std::vector<std::string>{"один", "два\n три"}));
        EXPECT_EQ(recorder.Take().size(), 2u);
        EXPECT_TRUE(recorder.Messages().empty());
    }
    ShowMessage("after");
    EXPECT_EQ(outer, std::vector<std::string>{"after"});
    SetMessageHandler(std::move(old));
}

TEST(MessageHook, WithoutHandlerWritesToStderr) {
    MessageHandler old = SetMessageHandler(nullptr);
    testing::internal::CaptureStderr();
    ShowMessage("Keeper: проверка");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Keeper: проверка\n");
    SetMessageHandler(std::move(old));
}

TEST(MessageHook, QuestionsAreAnsweredByTheHandlerAndOtherwiseNo) {
    QuestionHandler old = SetQuestionHandler(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(AskQuestion("Заменить?"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Заменить?\n");
    {
        QuestionRecorder yes(true);
        EXPECT_TRUE(AskQuestion("один"));
        yes.SetAnswer(false);
        EXPECT_FALSE(AskQuestion("два"));
        EXPECT_EQ(yes.Take(), (std::vector<std::string>{"один", "два"}));
    }
    testing::internal::CaptureStderr();
    EXPECT_FALSE(AskQuestion("снова"));
    testing::internal::GetCapturedStderr();
    SetQuestionHandler(std::move(old));
}

TEST(MessageHook, ErrorsAreRecordedWithTheirKindAndGoToTheMessageHandlerWithoutTheirOwn) {
    {
        MessageRecorder recorder;
        ShowMessage("Произведена коррекция.");
        ShowError("Не удаётся записать файл /x.");
        ShowMessage("ещё");
        EXPECT_EQ(recorder.Messages(),
                  (std::vector<std::string>{"Произведена коррекция.",
                                            "Не удаётся записать файл /x.", "ещё"}));
        EXPECT_EQ(recorder.Kinds(),
                  (std::vector<TMessageKind>{TMessageKind::Information, TMessageKind::Error,
                                             TMessageKind::Information}));
        recorder.Take();
        EXPECT_TRUE(recorder.Kinds().empty());
        ShowError("снова");
        recorder.Clear();
        EXPECT_TRUE(recorder.Kinds().empty());
    }
    // A caller that collects messages only (the command line) gets the errors too.
    std::vector<std::string> collected;
    MessageHandler old = SetMessageHandler([&](const std::string& t) { collected.push_back(t); });
    ShowError("Keeper: Отказано в выделении памяти для отсчётов графика.");
    EXPECT_EQ(collected, std::vector<std::string>{
                             "Keeper: Отказано в выделении памяти для отсчётов графика."});
    // An error handler of its own takes them, and gives them back when removed.
    std::vector<std::string> errors;
    MessageHandler oldError = SetErrorHandler([&](const std::string& t) { errors.push_back(t); });
    ShowError("один");
    ShowMessage("два");
    EXPECT_EQ(errors, std::vector<std::string>{"один"});
    SetErrorHandler(std::move(oldError));
    ShowError("три");
    EXPECT_EQ(collected.back(), "три");
    // With neither, errors go to stderr like messages.
    SetMessageHandler(nullptr);
    testing::internal::CaptureStderr();
    ShowError("Не удаётся записать файл /x.");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Не удаётся записать файл /x.\n");
    SetMessageHandler(std::move(old));
}

TEST(MessageHook, ChoicesAnswerAButtonAndOtherwiseTheEscapeOne) {
    const std::vector<std::string> buttons{"Сохранить", "Не сохранять", "Отмена"};
    ChoiceHandler old = SetChoiceHandler(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(AskChoice("Сохранить?", buttons, 0, 2), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Сохранить?\n");
    {
        ChoiceRecorder recorder(1);
        EXPECT_EQ(AskChoice("один", buttons, 0, 2), 1);
        recorder.SetAnswer(ChoiceRecorder::AnswerEscape);
        EXPECT_EQ(AskChoice("два", buttons, 0, 2), 2);
        // A handler's answer the buttons lack is no answer: the escape one.
        recorder.SetAnswer(3);
        EXPECT_EQ(AskChoice("три", buttons, 0, 2), 2);
        const std::vector<AskedChoice> asked = recorder.Take();
        ASSERT_EQ(asked.size(), 3u);
        EXPECT_EQ(asked[0].Text, "один");
        EXPECT_EQ(asked[0].Buttons, buttons);
        EXPECT_EQ(asked[0].DefaultButton, 0);
        EXPECT_EQ(asked[0].EscapeButton, 2);
        EXPECT_TRUE(recorder.Asked().empty());
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(AskChoice("снова", buttons, 0, 2), 2);
    testing::internal::GetCapturedStderr();
    SetChoiceHandler(std::move(old));
}
