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
