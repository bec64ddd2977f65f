// Writes the demo game's data folder: every picture, movie and sound made here, the view
// files copied from demo/, and the font copied from the system's DejaVu package.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/image/bmp_writer.h"
#include "platform/image/imagelib.h"
#include "platform/image/picture.h"
#include "platform/jpeg/jpeg_format.h"
#include "platform/null_display.h"
#include "platform/screen.h"
#include "platform/sdl/sdl_text_renderer.h"
#include "tools/demo_media.h"
#include "tools/demo_sounds.h"
#include "tools/demo_sprites.h"
#include "tools/demo_views.h"

namespace fs = std::filesystem;

namespace {

const char* kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Where the pictures go, and the screen that lends the canvases its text and formats.
struct Output {
    fs::path dir;
    Screen& screen;
};

bool writeJpeg(const Output& out, Canvas& c, const fs::path& path) {
    Picture picture;
    ImageRecord record;
    InitImageRecord(record);
    bool ok = c.surface().toPicture(picture) && CopyBitmapToRecord(picture, record, 0) &&
              WriteRecordJpeg(*out.screen.pictureFormats(), path.string(), record, 92);
    FreeImageRecord(record);
    return ok;
}

bool writeBmp(Canvas& c, const fs::path& path) {
    Picture picture;
    return c.surface().toPicture(picture) && writeBmp24(path.string(), picture);
}

int failures = 0;

void produce(const Output& out, const std::string& name, int width, int height,
             const std::function<void(Canvas&)>& paint) {
    Canvas canvas(out.screen, width, height);
    paint(canvas);
    const fs::path path = out.dir / name;
    bool jpeg = name.size() > 4 && name.substr(name.size() - 4) == ".jpg";
    bool ok = jpeg ? writeJpeg(out, canvas, path) : writeBmp(canvas, path);
    if (!ok) {
        std::fprintf(stderr, "make-demo: could not write %s\n", path.c_str());
        ++failures;
    }
}

void sheet(const Output& out, const std::string& name, Arrow to) {
    produce(out, name, 384, 64, [to](Canvas& c) { paintTransition(c, to); });
}

void pointer(const Output& out, const std::string& name, Arrow arrow) {
    produce(out, name, 64, 64, [arrow](Canvas& c) {
        c.fill(kKey);
        paintPointer(c, 0, arrow);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make-demo OUTPUT-FOLDER VIEW-FILE-FOLDER\n");
        return 2;
    }
    fs::path dir = argv[1], views = argv[2];
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) {
        std::fprintf(stderr, "make-demo: cannot create %s: %s\n", dir.c_str(),
                     error.message().c_str());
        return 1;
    }
    // A screen that shows nothing, for the text and picture formats the engine uses.
    SteadyClock clock;
    SdlTextRenderer text;
    const PictureFormats pictures = pictureFormatsWithJpeg();
    Screen screen(std::make_unique<NullDisplay>(), clock, &text, &pictures);
    const Output out{dir, screen};

    produce(out, "gate.jpg", 640, 480, paintGate);
    produce(out, "court.jpg", 640, 480, [](Canvas& c) { paintCourtyard(c, false, false); });
    // The horse on its pedestal is an overlay picture over the open courtyard.
    produce(out, "court_open.jpg", 640, 480, [](Canvas& c) { paintCourtyard(c, true, false); });
    produce(out, "garden.jpg", 640, 480, [](Canvas& c) { paintGarden(c, true); });
    produce(out, "garden_empty.jpg", 640, 480, [](Canvas& c) { paintGarden(c, false); });
    produce(out, "well.jpg", 640, 480, [](Canvas& c) { paintWell(c); });
    produce(out, "hall.jpg", 640, 480, [](Canvas& c) { paintHall(c); });
    produce(out, "library.jpg", 640, 480, [](Canvas& c) { paintLibrary(c, false); });
    produce(out, "library_open.jpg", 640, 480, [](Canvas& c) { paintLibrary(c, true); });
    produce(out, "tower.jpg", 640, 480, [](Canvas& c) { paintTower(c); });
    produce(out, "end.jpg", 640, 480, [](Canvas& c) { paintEnding(c); });
    produce(out, "saveload.jpg", 640, 480, [](Canvas& c) { paintSaveLoad(c); });
    produce(out, "testpat.jpg", 640, 480, [](Canvas& c) { paintTestPattern(c); });

    pointer(out, "pointidle.bmp", Arrow::Idle);
    pointer(out, "pointforward.bmp", Arrow::Forward);
    pointer(out, "pointbackward.bmp", Arrow::Backward);
    pointer(out, "pointleft.bmp", Arrow::Left);
    pointer(out, "pointright.bmp", Arrow::Right);
    sheet(out, "idle2forward.bmp", Arrow::Forward);
    sheet(out, "idle2backward.bmp", Arrow::Backward);
    sheet(out, "idle2left.bmp", Arrow::Left);
    sheet(out, "idle2right.bmp", Arrow::Right);
    produce(out, "idle2take.bmp", 384, 64, [](Canvas& c) {
        // Idle arrow folding into the open hand of the take pointer.
        paintTake(c);
        for (int f = 0; f < 3; ++f) paintPointer(c, f * 64, Arrow::Idle);
    });
    produce(out, "interact.bmp", 384, 64, paintInteract);
    produce(out, "take.bmp", 384, 64, paintTake);
    produce(out, "invknight.bmp", 640, 64, paintHeldHorse);
    produce(out, "console.bmp", 640, 151, paintConsolePanel);
    produce(out, "horse.bmp", 48, 64, paintHorseSprite);
    produce(out, "lamp.bmp", 512, 64, paintLampSheet);

    const struct {
        const char* name;
        std::string (*write)(Screen&, const std::string&);
    } movies[] = {{"nivoktit.mpg", writeTitleMovie},
                  {"fountain.mpg", writeFountainMovie},
                  {"dooropen.mpg", writeDoorMovie},
                  {"finale.mpg", writeFinaleMovie}};
    for (const auto& m : movies) {
        std::string why = m.write(screen, (dir / m.name).string());
        if (!why.empty()) {
            std::fprintf(stderr, "make-demo: could not write %s: %s\n", m.name, why.c_str());
            ++failures;
        }
    }
    std::string why = writeDemoSounds(dir.string());
    if (!why.empty()) {
        std::fprintf(stderr, "make-demo: could not write the sounds: %s\n", why.c_str());
        ++failures;
    }

    for (const auto& entry : fs::directory_iterator(views, error)) {
        if (entry.path().extension() != ".scn") continue;
        fs::copy_file(entry.path(), dir / entry.path().filename(),
                      fs::copy_options::overwrite_existing, error);
        if (error) {
            std::fprintf(stderr, "make-demo: cannot copy %s\n", entry.path().c_str());
            ++failures;
        }
    }
    fs::copy_file(kFont, dir / "pookie.ttf", fs::copy_options::overwrite_existing, error);
    if (error) std::fprintf(stderr, "make-demo: no font at %s; text falls back\n", kFont);
    return failures ? 1 : 0;
}
