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
