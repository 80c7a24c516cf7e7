#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The user's data folder of every test is a fresh one of its own, so
    // that no test reads or writes a real user's recovery files.
    QTemporaryDir data;
    if (!data.isValid()) {
        return 1;
    }
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
