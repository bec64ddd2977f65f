#include <QApplication>
#include <string>

#include "editor/main_window.h"
#include "tools/common/standard_options.h"

namespace {

const ProgramInfo kProgram{
    "pandrel",
    "Usage: pandrel [--help | --version]\n"
    "Pandrel draws the hotspots of Vorlen game views over their base images and writes the\n"
    "view files the engine reads. Open or save a view file from its File menu; pictures\n"
    "are looked for in that file's folder.\n"
    "\n"
    "  -h, --help    show this help and exit\n"
    "      --version show the version and exit\n"};

}  // namespace

int main(int argc, char** argv) {
    // Answered before Qt starts, so they work without a display.
    for (int i = 1; i < argc; ++i)
        if (answerStandardOption(argv[i], kProgram)) return 0;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Pandrel");
    Form1 window;
    window.show();
    return app.exec();
}
