#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <QTimer>
#include "support/Window.h"

std::pair<QString, QString> TakeBox(const std::function<void()>& action, int ms) {
    std::pair<QString, QString> seen;
    QTimer poll;
    QDeadlineTimer deadline(ms);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const auto boxes = OpenBoxes();
        if (!boxes.isEmpty()) {
            seen = {boxes.front()->text(), boxes.front()->windowTitle()};
            boxes.front()->close();
            poll.stop();
        } else if (deadline.hasExpired()) {
            poll.stop();
        }
    });
    poll.start(5);
    action();
    WaitFor([&] { return !poll.isActive(); }, ms + 500);
    return seen;
}
