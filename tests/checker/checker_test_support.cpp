#include "checker_test_support.h"

#include <fstream>

#include "platform/jpeg/jpeg_format.h"
#include "tools/checker/media_readers.h"

namespace checker_test {

namespace {

std::vector<std::string> run(GameCheck& check, const std::string& file) {
    std::vector<std::string> lines;
    for (const Diagnostic& d : check.diagnostics())
        if (file.empty() || d.file == file) lines.push_back(formatCompilerStyle(d));
    return lines;
}

}  // namespace

void writeEngineFiles(const headless_test::GameFolder& game) {
    for (const char* name :
         {"pointidle.bmp", "pointforward.bmp", "pointbackward.bmp", "pointleft.bmp",
          "pointright.bmp", "console.bmp", "end.jpg", "saveload.jpg", "testpat.jpg"})
        game.writeBmp(name, 64, 64, 0x808080);
    for (const char* name : {"interact.bmp", "take.bmp", "idle2forward.bmp", "idle2backward.bmp",
                             "idle2left.bmp", "idle2right.bmp", "idle2take.bmp"})
        game.writeBmp(name, 384, 64, 0xFF00FF);
    game.writeBmp("invknight.bmp", 640, 64, 0xFF00FF);
    game.write("pookie.ttf", std::string("\0\1\0\0", 4));
    game.writeBmp("base.bmp", 640, 480, 0x204060);
}

std::vector<std::string> checkGame(const headless_test::GameFolder& game, const std::string& file) {
    EngineReaders engine;
    GameFolder folder(game.path().string());
    GameCheck check(folder, engine.readers());
    std::string error;
    if (!check.checkGame(error)) return {"cannot read: " + error};
    return run(check, file);
}

std::vector<std::string> checkOneView(const headless_test::GameFolder& game,
                                      const std::string& view) {
    PictureFormats pictures = pictureFormatsWithJpeg();
    GameFolder folder(game.path().string());
    MediaReaders readers;
    readers.pictures = &pictures;
    GameCheck check(folder, readers);
    std::string error;
    if (!check.checkView(view, error)) return {"cannot read: " + error};
    return run(check, std::string());
}

std::string view(const std::string& onLoad, const std::string& hotspots, const std::string& base) {
    return "VIEW test\nBASEIMAGE " + base + "\nONLOADSTART\n" + onLoad + "ONLOADEND\n" + hotspots;
}

std::string hotspot(const std::string& name, const std::string& click, const std::string& condition,
                    int cursor, const std::string& coord) {
    return "HOTSPOTSTART " + name + "\nCURSOR " + std::to_string(cursor) + "\nCOORD " + coord +
           "\nONCONDITION " + condition + "\nONCLICKSTART\n" + click + "ONCLICKEND\nHOTSPOTEND\n";
}

}  // namespace checker_test
