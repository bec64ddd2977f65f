#pragma once
// The main window in-process on the offscreen platform, with a watcher that answers
// its message boxes, for the window tests.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "editor/main_window.h"

namespace window_test {

namespace fs = std::filesystem;

// Answers every message box that has been up for `graceMs` and remembers what it said.
class BoxWatcher {
public:
    explicit BoxWatcher(int graceMs = 0) : graceMs_(graceMs) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != current_) {
                current_ = box;
                up_.start();
            }
            if (!box || up_.elapsed() < graceMs_) return;
            seen.push_back(box->windowTitle() + "|" + box->text());
            QAbstractButton* b = box->button(QMessageBox::Ok);
            if (!b) b = box->button(QMessageBox::Yes);
            current_ = nullptr;
            b->click();
        });
        timer_.start();
    }
    std::vector<QString> seen;

private:
    int graceMs_;
    QMessageBox* current_ = nullptr;
    QElapsedTimer up_;
    QTimer timer_;
};

// A 2x1 24-bit BMP: blue then red.
inline void writeBmp(const fs::path& path) {
    const unsigned char bytes[] = {'B', 'M', 62, 0, 0, 0, 0,   0, 0, 0, 54, 0,   0,  0, 40, 0,
                                   0,   0,   2,  0, 0, 0, 1,   0, 0, 0, 1,  0,   24, 0, 0,  0,
                                   0,   0,   8,  0, 0, 0, 0,   0, 0, 0, 0,  0,   0,  0, 0,  0,
                                   0,   0,   0,  0, 0, 0, 255, 0, 0, 0, 0,  255, 0,  0};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

class Window : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!qApp) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            static int argc = 1;
            static char name[] = "test_editor";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }
    void SetUp() override {
        dir = fs::temp_directory_path() / ("pandrel-ui-\u00e9-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        form = std::make_unique<Form1>();
    }
    void TearDown() override {
        EXPECT_TRUE(stray.seen.empty()) << stray.seen.front().toStdString();
        form.reset();
        fs::remove_all(dir);
    }
    void press(int button, double x, double y) { form->areaPressed(button, QPointF(x, y)); }
    void drawTriangle() {
        form->findChild<QPushButton*>("drawbut")->click();
        press(LeftButton, 100, 100);
        press(LeftButton, 200, 100);
        press(LeftButton, 200, 200);
        BoxWatcher ok;
        press(LeftButton, 101, 101);
    }
    QString label(const char* name) { return form->findChild<QLabel*>(name)->text(); }
    QString path(const char* name) { return QString::fromStdString((dir / name).string()); }

    fs::path dir;
    std::unique_ptr<Form1> form;
    // Answers, late, any box a test did not expect, so that it fails instead of hanging.
    BoxWatcher stray{2000};
};

}  // namespace window_test
