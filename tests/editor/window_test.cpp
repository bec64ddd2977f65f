// The main window and dialogs in-process on the offscreen platform: captions, file
// commands with their message boxes, dialogs and undo.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QUndoStack>
#include <filesystem>
#include <fstream>

#include "editor/dialogs.h"
#include "editor/main_window.h"
#include "window_fixture.h"

namespace fs = std::filesystem;
using window_test::BoxWatcher;
using window_test::Window;
using window_test::writeBmp;

// Fontconfig keeps a cache for the life of the process; under LeakSanitizer that is
// not the editor's leak.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

namespace {

TEST_F(Window, DrawSaveAndOpen) {
    writeBmp(dir / "hall.bmp");
    form->model().baseImagePath = (dir / "hall.bmp").string();
    drawTriangle();
    EXPECT_EQ(label("numshape"), "No. Shp:  1");
    EXPECT_EQ(form->findChild<QLineEdit*>("shapename")->text(), "Shape1");
    EXPECT_EQ(form->findChild<QPushButton*>("drawbut")->styleSheet().contains("white"), true);
    ASSERT_TRUE(form->saveTo(path("hall")));
    EXPECT_EQ(form->windowTitle(), "Pandrel - hall.scn");
    ASSERT_TRUE(fs::exists(dir / "hall.scn"));

    // A broken file: the message names the keyword, the view is left empty.
    std::ofstream(dir / "bad.scn") << "VIEW x\r\nBASE\r\n";
    {
        BoxWatcher boxes;
        EXPECT_FALSE(form->openFrom(path("bad.scn")));
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0], "Open View|Error in file\nExpecting BASEIMAGE");
    }
    EXPECT_EQ(form->windowTitle(), "Pandrel");
    EXPECT_TRUE(form->model().shapes.empty());

    // The base image is found beside the view, wherever the program runs from.
    {
        BoxWatcher boxes;
        ASSERT_TRUE(form->openFrom(path("hall.scn")));
        EXPECT_TRUE(boxes.seen.empty());
    }
    EXPECT_EQ(form->windowTitle(), "Pandrel - hall.scn");
    EXPECT_EQ(form->model().baseImagePath, (dir / "hall.bmp").string());
    ASSERT_EQ(form->model().shapes.size(), 1u);
    EXPECT_EQ(form->model().selectedShape, 0);

    // A missing picture is reported, and its name is kept for the next save.
    fs::remove(dir / "hall.bmp");
    {
        BoxWatcher boxes;
        ASSERT_TRUE(form->openFrom(path("hall.scn")));
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0],
                  "Warning|Cannot load base image or no base image associated with view");
    }
    ASSERT_TRUE(form->saveTo(path("again.SCN")));
    std::ifstream again(dir / "again.SCN");
    std::string first, second;
    std::getline(again, first);
    std::getline(again, second);
    EXPECT_EQ(second, "BASEIMAGE hall.bmp\r");
}

// The picture is looked for as soon as its line is read: a file that fails further on
// still says its picture is missing, before the error; one whose picture loads does not.
TEST_F(Window, MissingBaseImageIsReportedWhenTheFileFailsLater) {
    const QString warning = "Warning|Cannot load base image or no base image associated with view";
    const std::pair<std::string, QString> broken[] = {
        {"VIEW x\r\nBASEIMAGE gone.bmp\r\nONLOADSTART\r\nlet a=1\r\n",
         "Open View|Error in file\nExpecting ONLOADEND"},
        {"VIEW x\r\nBASEIMAGE\r\nONLOADSTART\r\nONLOADEND\r\nHOTSPOTSTART h\r\n",
         "Open View|Error in file\nExpecting CURSOR"},
    };
    for (const auto& [text, error] : broken) {
        std::ofstream(dir / "broken.scn", std::ios::binary) << text;
        BoxWatcher boxes;
        EXPECT_FALSE(form->openFrom(path("broken.scn")));
        ASSERT_EQ(boxes.seen.size(), 2u) << text;
        EXPECT_EQ(boxes.seen[0], warning);
        EXPECT_EQ(boxes.seen[1], error);
    }
    writeBmp(dir / "hall.bmp");
    std::ofstream(dir / "broken.scn", std::ios::binary)
        << "VIEW x\r\nBASEIMAGE hall.bmp\r\nONLOADSTART\r\n";
    BoxWatcher boxes;
    EXPECT_FALSE(form->openFrom(path("broken.scn")));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0], "Open View|Error in file\nExpecting ONLOADEND");
    EXPECT_TRUE(form->model().shapes.empty());
}

TEST_F(Window, FailedSaveIsReported) {
    BoxWatcher boxes;
    EXPECT_FALSE(form->saveTo(path("missing/room")));
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].startsWith("Save View|Cannot"));
    EXPECT_EQ(form->windowTitle(), "Pandrel");
}

TEST_F(Window, UndoAndRedoEveryChange) {
    QUndoStack* undo = form->undoStack();
    drawTriangle();
    ASSERT_EQ(undo->count(), 1);

    form->findChild<QPushButton*>("movepoint")->click();
    press(LeftButton, 200, 200);
    form->areaMoved(LeftButton, QPointF(250, 260));
    form->areaMoved(LeftButton, QPointF(300, 300));
    form->areaReleased();
    EXPECT_EQ(form->model().shapes[0].x(3), 300);
    EXPECT_EQ(undo->count(), 2);  // the whole drag is one step

    undo->undo();
    EXPECT_EQ(form->model().shapes[0].x(3), 200);
    undo->undo();
    EXPECT_TRUE(form->model().shapes.empty());
    EXPECT_EQ(form->model().selectedShape, 0);
    EXPECT_EQ(label("numshape"), "No. Shp:  0");
    undo->redo();
    undo->redo();
    ASSERT_EQ(form->model().shapes.size(), 1u);
    EXPECT_EQ(form->model().shapes[0].x(3), 300);
}

TEST_F(Window, HotspotDialogEditsTheShape) {
    drawTriangle();
    form->findChild<QPushButton*>("propertybut")->click();
    auto* dialog = form->findChild<hotprop*>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Hotspot Properties");
    EXPECT_FALSE(form->centralWidget()->isEnabled());
    EXPECT_EQ(dialog->findChild<QLineEdit*>("namebox")->text(), "Shape1");
    EXPECT_EQ(dialog->findChild<QComboBox*>("cursorcombo")->currentText(), "Idle");
    dialog->findChild<QLineEdit*>("namebox")->setText("Door");
    dialog->findChild<QComboBox*>("cursorcombo")->setCurrentIndex(5);
    dialog->findChild<QPlainTextEdit*>("condbox")->setPlainText("a==1\nb==2");
    dialog->findChild<QPlainTextEdit*>("scriptbox")->setPlainText("  load x.scn\nlet a=1  ");
    dialog->findChild<QPushButton*>("okaybut")->click();
    QApplication::processEvents();
    EXPECT_TRUE(form->centralWidget()->isEnabled());
    const shape& s = form->model().shapes[0];
    EXPECT_EQ(s.getName(), "Door");
    EXPECT_EQ(s.getCursor(), 5);
    EXPECT_EQ(s.getCond(), "a==1  b==2");
    EXPECT_EQ(s.getScript(), "load x.scn\r\nlet a=1");
    form->undoStack()->undo();
    EXPECT_EQ(form->model().shapes[0].getName(), "Shape1");
}

TEST_F(Window, ViewDialogAndAbout) {
    form->findChild<QPushButton*>("viewproperty")->click();
    auto* dialog = form->findChild<viewprop*>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->findChild<QLineEdit*>("namebox")->text(), "View");
    dialog->findChild<QLineEdit*>("namebox")->setText("Hall");
    dialog->findChild<QPlainTextEdit*>("scriptbox")->setPlainText("let a=1\nlet b=2");
    dialog->findChild<QPushButton*>("okaybut")->click();
    QApplication::processEvents();
    EXPECT_EQ(form->model().viewname, "Hall");
    EXPECT_EQ(form->model().onloadscript, "let a=1\r\nlet b=2");

    form->findChild<QAction*>("about")->trigger();
    auto* about = form->findChild<frmAbout*>();
    ASSERT_TRUE(about);
    EXPECT_EQ(about->windowTitle(), "About Pandrel");
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version 1.2.0");
    EXPECT_TRUE(form->centralWidget()->isEnabled());  // the about box does not block
}

TEST_F(Window, TestOverlayDialog) {
    form->findChild<QAction*>("editoverlay")->trigger();
    auto* dialog = form->findChild<overlayprop*>();
    ASSERT_TRUE(dialog);
    auto* text = dialog->findChild<QLineEdit*>("Text1");
    EXPECT_EQ(text->text(), "addoverlayimage ");
    text->setText("addoverlayimage h missing.bmp 1 2 3");
    {
        BoxWatcher boxes;
        dialog->findChild<QPushButton*>("OKButton")->click();
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0], "ERROR|Cannot find image file");
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(form->model().testOverlay.has_value());

    writeBmp(dir / "lamp.bmp");
    text->setText(
        QString::fromStdString("addoverlayimage lamp " + (dir / "lamp.bmp").string() + " 10 20 3"));
    dialog->findChild<QPushButton*>("OKButton")->click();
    QApplication::processEvents();
    ASSERT_TRUE(form->model().testOverlay.has_value());
    EXPECT_EQ(form->model().testOverlay->getX(), 10);
    EXPECT_TRUE(form->findChild<QAction*>("editoverlay")->isChecked());

    form->findChild<QAction*>("editoverlay")->trigger();
    dialog = form->findChild<overlayprop*>();
    ASSERT_TRUE(dialog);
    dialog->findChild<QLineEdit*>("Text1")->setText("  ");
    dialog->findChild<QPushButton*>("OKButton")->click();
    QApplication::processEvents();
    EXPECT_FALSE(form->model().testOverlay.has_value());
    EXPECT_FALSE(form->findChild<QAction*>("editoverlay")->isChecked());
    BoxWatcher boxes;
    form->findChild<QAction*>("positionoverlay")->trigger();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0], "ERROR|No overlay created");
}

}  // namespace

namespace {

TEST_F(Window, TestViewStartsOneEngineOnThisViewAndSavesForIt) {
    // A stand-in engine that reports where it ran, what it was told and what the view file
    // said, then runs until the test ends it.
    const fs::path bin = dir / "bin";
    fs::create_directories(bin);
    const fs::path report = dir / "report.txt", stop = dir / "stop";
    std::ofstream(bin / "engine-windowed")
        << "#!/bin/sh\n{ pwd; echo \"$VORLEN_LIVE $VORLEN_START_VIEW $VORLEN_START_SLOT\"; "
           "head -1 hall.scn; } >> '"
        << report.string() << "'\nfor i in $(seq 1 200); do { [ -e '" << stop.string()
        << "' ] || [ ! -e '" << report.string() << "' ]; } && exit 0; sleep 0.05; done\n";
    fs::permissions(bin / "engine-windowed", fs::perms::owner_all);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.string()) + ":" + oldPath);
    auto reportLines = [&](size_t count) {
        std::vector<std::string> lines;
        for (int i = 0; i < 200 && lines.size() < count; ++i) {
            QThread::msleep(10);
            lines.clear();
            std::ifstream in(report);
            for (std::string l; std::getline(in, l);) lines.push_back(l);
        }
        return lines;
    };

    std::ofstream(dir / "hall.bmp") << "x";
    std::ofstream(dir / "slot3.sav") << "x";
    form->model().viewname = "Trial";
    ASSERT_TRUE(form->saveTo(path("hall.scn")));  // the game folder is now `dir`
    form->model().viewname = "Edited";
    form->findChild<QAction*>("testview")->trigger();
    EXPECT_EQ(reportLines(3),
              (std::vector<std::string>{dir.string(), "1 hall.scn ", "VIEW Edited\r"}));
    // Running still: Test View only saves, and that engine reloads the view.
    form->model().viewname = "Again";
    form->findChild<QAction*>("testview")->trigger();
    EXPECT_EQ(reportLines(4).size(), 3u);
    std::ifstream saved(dir / "hall.scn");
    std::string header;
    std::getline(saved, header);
    EXPECT_EQ(header, "VIEW Again\r");
    // From a slot: the running engine goes and a new one restores the slot.
    QMenu* slotMenu = form->findChild<QMenu*>("testslots");
    emit slotMenu->aboutToShow();
    ASSERT_EQ(slotMenu->actions().size(), 1);
    slotMenu->actions()[0]->trigger();
    auto lines = reportLines(6);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4], "1 hall.scn 3");
    std::ofstream(stop) << "";
    qputenv("PATH", oldPath);
}

TEST_F(Window, TestViewOfANewViewRunsItAsTheFirstViewOfACopy) {
    const fs::path bin = dir / "bin";
    fs::create_directories(bin);
    const fs::path report = dir / "report.txt";
    std::ofstream(bin / "engine-windowed")
        << "#!/bin/sh\n{ pwd; cat init.scn; } > '" << report.string() << ".tmp' && mv '"
        << report.string() << ".tmp' '" << report.string() << "'\n";
    fs::permissions(bin / "engine-windowed", fs::perms::owner_all);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(bin.string()) + ":" + oldPath);
    form->model().viewname = "Trial";
    form->findChild<QAction*>("testview")->trigger();
    qputenv("PATH", oldPath);
    for (int i = 0; i < 200 && !fs::exists(report); ++i) QThread::msleep(10);
    ASSERT_TRUE(fs::exists(report));
    std::ifstream in(report);
    std::string folder, header;
    std::getline(in, folder);
    std::getline(in, header);
    EXPECT_NE(folder, dir.string());
    EXPECT_EQ(header, "VIEW Trial\r");
    fs::remove_all(folder);
}

}  // namespace
