#pragma once
// Form1, the editor's main window: the drawing area Picture1, the tool panel, the
// menus and the file commands. The editing state and tools are EditorModel's; this
// class shows them, forwards mouse events, and keeps undo history.
#include <QImage>
#include <QMainWindow>
#include <QWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/editor_model.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QUndoStack;
class QDialog;
class Form1;

// The 640x480 drawing area: shows the composed picture and reports the mouse.
class DrawingArea : public QWidget {
    Q_OBJECT
public:
    explicit DrawingArea(Form1* owner);
    void showPicture(const QImage& image);
    // Confinement: the pointer is kept inside the area while a tool holds it.
    void setConfined(bool on);
    bool confined() const { return confined_; }
    void warpTo(int x, int y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QPointF confine(QPointF p);

    Form1* owner_;
    QImage shown_;
    bool confined_ = false;
};

class Form1 : public QMainWindow, public ToolHost {
    Q_OBJECT
public:
    Form1();
    ~Form1() override;

    EditorModel& model() { return model_; }
    QUndoStack* undoStack() { return undo_; }
    // Recomposes and shows the drawing area (public: dialogs call it).
    void redraw() override;
    // Moves the system pointer to a point of a widget's client area.
    static bool SetCursorPosition(QWidget* hwnd, int xPos, int yPos);

    // Commands, public so that tests and the event handlers share them.
    bool saveTo(const QString& chosenPath);
    bool openFrom(const QString& path);

    // From the drawing area.
    void areaPressed(int button, QPointF p);
    void areaMoved(int buttons, QPointF p);
    void areaReleased();

    // ToolHost
    void restrictCursor() override;
    void releaseCursor() override;
    bool askClosePolygon() override;
    void setCursorPosition(int x, int y) override;
    void noOverlayMessage() override;
    void drawRubberBand(double x, double y) override;
    void coordinatesChanged() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // Lets the pointer go for the life of a modal prompt.
    class FreePointer {
    public:
        explicit FreePointer(Form1* form);
        ~FreePointer();

    private:
        Form1* form_;
    };

    void applyConfinement();
    void buildPanel(QWidget* panel);
    void buildMenus();
    void compose(QImage& target);
    void syncPanel();
    void commit();
    void setCaption(const QString& path);
    void openDialog(QDialog* dialog);
    void dialogClosed();
    bool abandon();
    void loadBaseImageFrom(const std::string& path, bool warnOnFailure);
    void checkForEngine();

    void newview();
    void openview();
    void saveview();
    void exitCommand();
    void loadnewbaseimage();
    void picklinecolour();
    void editoverlay();
    void overlayOk();
    void viewproperty();
    void propertybut();
    void about();
    void testView();

    EditorModel model_;
    ViewDocument committed_;
    QUndoStack* undo_;
    std::string gameFolder_;  // folder of the view opened or saved last
    QImage buffer;            // the base image
    QImage screen;            // the composition
    QImage pichold;           // the test overlay's picture
    std::vector<std::pair<qint64, std::string>> testRuns_;  // engine id, its folder
    int dialogsOpen_ = 0;
    int prompts_ = 0;
    bool confineWanted_ = false;
    bool mouseHeld_ = false;

    DrawingArea* Picture1;
    QPushButton* tools_[7] = {};  // indexed by edit mode 1..6
    QLabel* xycoord;
    QLabel* numvertex;
    QLabel* numshape;
    QLabel* constrain;
    QLineEdit* shapename;
    QAction* showpolygon;
    QAction* editoverlayAction;
};
