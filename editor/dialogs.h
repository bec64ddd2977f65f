#pragma once
// The hotspot, view, test-overlay and about dialogs. They show and collect fields;
// what the fields mean lives in dialog_logic and the main window.
#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class shape;

class hotprop : public QDialog {
    Q_OBJECT
public:
    explicit hotprop(QWidget* parent);
    // Fills the fields from the shape that "Okay" will write to.
    void setvars(shape* shp);

signals:
    void applied();

private:
    void okay();

    shape* holdshp = nullptr;
    QLineEdit* namebox;
    QListWidget* coordlist;
    QComboBox* cursorcombo;
    QPlainTextEdit* condbox;
    QPlainTextEdit* scriptbox;
};

class viewprop : public QDialog {
    Q_OBJECT
public:
    explicit viewprop(QWidget* parent);
    void setFields(const std::string& name, const std::string& script);
    std::string name() const;
    std::string script() const;

signals:
    void applied();

private:
    QLineEdit* namebox;
    QPlainTextEdit* scriptbox;
};

class overlayprop : public QDialog {
    Q_OBJECT
public:
    explicit overlayprop(QWidget* parent);
    void setLine(const std::string& line);
    std::string line() const;

signals:
    // OK pressed: the receiver decides whether the dialog may close (accept()).
    void okPressed();

private:
    QLineEdit* Text1;
};

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent);
};

// Text conversions between the 8-bit view text and the widgets.
QString fromLatin(const std::string& s);
std::string toLatin(const QString& s);
