#include "editor/dialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/dialog_logic.h"
#include "editor/shape.h"

namespace {

QPushButton* addButtonRow(QVBoxLayout* layout, QWidget* parent, const char* objectName,
                          const QString& caption) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setDefault(true);
    row->addWidget(button);
    layout->addLayout(row);
    return button;
}

}  // namespace

hotprop::hotprop(QWidget* parent) : QDialog(parent) {
    setObjectName("hotprop");
    setWindowTitle("Hotspot Properties");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    namebox = new QLineEdit(this);
    namebox->setObjectName("namebox");
    coordlist = new QListWidget(this);
    coordlist->setObjectName("coordlist");
    coordlist->setSelectionMode(QAbstractItemView::NoSelection);
    cursorcombo = new QComboBox(this);
    cursorcombo->setObjectName("cursorcombo");
    cursorcombo->setPlaceholderText("Pick Cursor");
    for (const char* caption : dialogs::kCursorCaptions) cursorcombo->addItem(caption);
    condbox = new QPlainTextEdit(this);
    condbox->setObjectName("condbox");
    condbox->setMaximumHeight(60);
    scriptbox = new QPlainTextEdit(this);
    scriptbox->setObjectName("scriptbox");
    form->addRow("Name:", namebox);
    form->addRow("Coord List:", coordlist);
    form->addRow("Cursor Type:", cursorcombo);
    form->addRow("On Condition:", condbox);
    form->addRow("Script:", scriptbox);
    layout->addLayout(form);
    connect(addButtonRow(layout, this, "okaybut", "Okay"), &QPushButton::clicked, this,
            &hotprop::okay);
    resize(460, 520);
}

void hotprop::setvars(const shape* shp) {
    holdshp = shp;
    namebox->setText(fromLatin(shp->getName()));
    const int cursor = shp->getCursor();
    cursorcombo->setCurrentIndex(cursor >= 0 && cursor < cursorcombo->count() ? cursor : -1);
    condbox->setPlainText(fromLatin(shp->getCond()));
    scriptbox->setPlainText(fromLatin(dialogs::toBoxText(shp->getScript())));
    coordlist->clear();
    for (const std::string& line : dialogs::coordinateList(*shp))
        coordlist->addItem(fromLatin(line));
}

HotspotFields hotprop::fields() const {
    shape edited = holdshp ? *holdshp : shape();
    dialogs::applyHotspot(edited, toLatin(namebox->text()), cursorcombo->currentIndex(),
                          toLatin(condbox->toPlainText()), toLatin(scriptbox->toPlainText()));
    return HotspotFields::of(edited);
}

void hotprop::okay() {
    if (holdshp) emit applied();
    accept();
}

viewprop::viewprop(QWidget* parent) : QDialog(parent) {
    setObjectName("viewprop");
    setWindowTitle("View Properties");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    namebox = new QLineEdit(this);
    namebox->setObjectName("namebox");
    scriptbox = new QPlainTextEdit(this);
    scriptbox->setObjectName("scriptbox");
    form->addRow("Name:", namebox);
    form->addRow("OnLoad Script:", scriptbox);
    layout->addLayout(form);
    connect(addButtonRow(layout, this, "okaybut", "Okay"), &QPushButton::clicked, this, [this] {
        emit applied();
        accept();
    });
    resize(460, 400);
}

void viewprop::setFields(const std::string& name, const std::string& script) {
    namebox->setText(fromLatin(name));
    scriptbox->setPlainText(fromLatin(dialogs::toBoxText(script)));
}

std::string viewprop::name() const {
    return toLatin(namebox->text());
}
std::string viewprop::script() const {
    return dialogs::fromBoxText(toLatin(scriptbox->toPlainText()));
}

overlayprop::overlayprop(QWidget* parent) : QDialog(parent) {
    setObjectName("overlayprop");
    setWindowTitle("Overlay Properties");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Form: addoverlayimage HANDLE {filename} X Y Z", this));
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setMinimumWidth(420);
    layout->addWidget(Text1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &overlayprop::okPressed);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void overlayprop::setLine(const std::string& line) {
    Text1->setText(fromLatin(line));
}
std::string overlayprop::line() const {
    return toLatin(Text1->text());
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About Pandrel");
    auto* layout = new QVBoxLayout(this);
    auto* lblTitle = new QLabel("Pandrel", this);
    lblTitle->setObjectName("lblTitle");
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    lblTitle->setFont(big);
    auto* lblVersion = new QLabel(fromLatin(dialogs::versionLabel()), this);
    lblVersion->setObjectName("lblVersion");
    auto* lblDescription =
        new QLabel(fromLatin(dialogs::toBoxText(dialogs::aboutDescription())), this);
    lblDescription->setObjectName("lblDescription");
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblDescription);
    connect(addButtonRow(layout, this, "cmdOK", "OK"), &QPushButton::clicked, this,
            &QDialog::accept);
}
