#pragma once
// The hotspot, view, test-overlay and about dialogs. They show and collect fields;
// what the fields mean lives in dialog_logic and the main window.
#include <QDialog>
#include <string>

#include "editor/qt_convert.h"
#include "editor/view_edits.h"

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
    // Fills the fields from the shape being edited.
    void setvars(const shape* shp);
    // What "Okay" sets on the shape: the typed fields as the dialog reads them.
    HotspotFields fields() const;

signals:
    // "Okay" was pressed; fields() holds the change to make.
    void applied();

private:
    void okay();

    const shape* holdshp = nullptr;
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
