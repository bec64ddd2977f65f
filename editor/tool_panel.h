#pragma once
// controlholder, the panel beside the drawing area: the tool buttons in their three
// groups, the shape name box and the status labels. It shows the model; the window
// connects its buttons.
#include <QWidget>

class EditorModel;
class QLabel;
class QLineEdit;
class QPushButton;

class ToolPanel : public QWidget {
    Q_OBJECT
public:
    explicit ToolPanel(QWidget* parent);

    // The labels, the tool highlight and the constrained-mode hint.
    void sync(const EditorModel& model);
    // What a redraw refreshes: the shape count and the selected shape's name.
    void showShapeCaptions(const EditorModel& model);
    // The pointer-position label, repainted at once.
    void showCoordinates(const EditorModel& model);

    QPushButton* drawbut;
    QPushButton* selectbut;
    QPushButton* refresh;
    QPushButton* viewproperty;
    QPushButton* delbut;
    QPushButton* propertybut;
    QPushButton* shapemove;
    QPushButton* movepoint;
    QPushButton* delpoint;
    QPushButton* inspoint;

private:
    QPushButton* tools_[7] = {};  // indexed by edit mode 1..6
    QLineEdit* shapename;
    QLabel* xycoord;
    QLabel* numvertex;
    QLabel* numshape;
    QLabel* constrain;
};
