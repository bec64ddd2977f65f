// Start-up: the window and platform objects, the pointer and console pictures, the
// title movie and the first view, in their fixed order.
#include "engine/engine.h"
#include "engine/game_files.h"
#include "engine/message_pump.h"
#include "engine/recording_taps.h"
#include "platform/error_reporter.h"
#include "platform/event_source.h"
#include "platform/folder_watcher.h"
#include "platform/text_renderer.h"

using namespace game_files;

namespace {

// The screen on the host's display, its presents tapped for the recorder: a 640x480
// window, or the whole display in 16-bit colour (15-bit when 16 is not offered). Null,
// after the fatal box, when no mode could be set: nothing can be drawn and the quit
// request ends the run.
std::unique_ptr<Screen> openScreen(EngineHost& host, PlayRecorder& recorder) {
    auto screen =
        std::make_unique<Screen>(tapPresents(host.createDisplay(), recorder), host.clock(),
                                 host.services().text, host.services().pictures);
    if (host.windowed()) {
        if (screen->createWindowed(640, 480) == 0) return screen;
        reportError(host.errorReporter(), screen.get(),
                    "could not set video mode 640x480 windowed");
        return nullptr;
    }
    int bits = screen->hasMode(640, 480, 16) ? 16 : 15;
    if (screen->createFullScreen(640, 480, bits, 0) == 0) return screen;
    reportError(host.errorReporter(), screen.get(), "could not set video mode 640x480x%d", bits);
    return nullptr;
}

// The pointer's pictures and sheets, the console panel and an empty backdrop, in the
// order their missing files are told.
void loadStartPictures(GameState& g, Scene& scene, Assets& assets) {
    Pointer& p = g.pointer;
    p.interactAnim = assets.sheet(kInteract.file, kInteract.settings());
    p.takeAnim = assets.sheet(kTake.file, kTake.settings());
    g.frameTimer.start();

    scene.setBackdrop(std::make_unique<Surface>());
    g.console.panelImage = assets.keyedPicture(kConsolePanel);
    std::unique_ptr<Surface>* pictures[] = {&p.idle, &p.forward, &p.backward, &p.left, &p.right};
    for (size_t i = 0; i < kPointerPictures.size(); ++i)
        *pictures[i] = assets.keyedPicture(kPointerPictures[i]);
}

}  // namespace

bool Engine::setUpWindow() {
    GameState& g = state_;
    if (!host_.createWindow()) {
        reportError(host_.errorReporter(), state_.screen.get(), "could not create the main window");
        return false;
    }
    g.screen = openScreen(host_, playRecorder_);
    assets_.setScreen(g.screen.get());
    host_.afterScreenCreated();

    g.input = std::make_unique<InputDevice>(host_.clock());
    if (g.input->create(host_.createInput()) != 0)
        reportError(host_.errorReporter(), state_.screen.get(),
                    "Could not create InputDevice object!");
    g.mixer = std::make_unique<Mixer>();
    g.mixer->create(tapMix(host_.createAudioOutput(), playRecorder_));
    access_.attachMixer(g.mixer.get(),
                        [this](SpeechStream& stream) { return host_.createSpeechVoice(stream); });
    g.sounds = std::make_unique<SoundSlots>(g.mixer.get(), folder_, g.console);
    MusicDecoderFactory* decoders = host_.services().music;
    g.music = std::make_unique<MusicControl>(g.mixer.get(), decoders ? *decoders : noMusic_,
                                             g.events.get(), folder_, g.console);
    TextRenderer* text = host_.services().text;
    // Only a regular file is handed to the font library, which would wait on a pipe.
    bool fontRegistered =
        text && folder_.exists(kFont) && text->registerFontFile(folder_.path(kFont));

    g.console.print("VORLEN", kWhite);
    g.console.print("By Nivok", kWhite);
    // Told after the title lines, which always open the log; text falls back to the
    // default face.
    if (!fontRegistered) assets_.reportCouldNotLoad(kFont);
    g.inventory.itemTable[Inventory::kStartItem] = Inventory::kStartItemNumber;
    return true;
}

bool Engine::start(int& exitCode) {
    GameState& g = state_;
    g.windowed = host_.windowed();
    g.events = host_.createEvents();
    saves_.recoverSaves();
    AccessSettings accessSettings;
    loadAccessSettings(accessSettingsPath(), accessSettings);
    access_.configure(folder_, accessSettings);

    if (!setUpWindow())
        reportError(host_.errorReporter(), state_.screen.get(), "could not initialize application");
    loadStartPictures(g, scene_, assets_);

    if (!g.windowed && g.input) g.input->setPointerLimits(1, 1, 590, 430);

    // One message, so a fatal error reported above ends the run before the movie.
    if (pumpOneMessage(g.events.get(), *this, exitCode) == PumpedMessage::Quit) return true;

    if (folder_.exists(kTitleMovie)) {
        g.console.print(std::string("Playing movie: ") + kTitleMovie, kWhite);
        movies_.playMovie(kTitleMovie, -1, -1);
    } else {
        interpreter_.reportCommandError(std::string("playmovie ") + kTitleMovie,
                                        "Cannot find file");
    }

    const AuthoringStart authoring = authoringStartFromEnvironment();
    scene_.openFirstView(startViewFile(authoring, folder_, kFirstView));
    if (authoring.slot > 0) saves_.loadGame(authoring.slot);
    if (authoring.live) {
        std::unique_ptr<FolderWatcher> watcher = watchFolder(folder_.root());
        if (!watcher) g.console.print("Cannot watch the game folder for changes", kRed);
        liveReload_ = std::make_unique<LiveReload>(scene_, g.sounds, std::move(watcher));
    }
    return false;
}
