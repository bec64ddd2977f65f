// The main of every test program: the display and sound back ends that need no
// hardware, and where the build tree is, unless the caller says otherwise.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    mkdir("/tmp/vorlen-runtime", 0700);
    setenv("XDG_RUNTIME_DIR", "/tmp/vorlen-runtime", 0);
    setenv("VORLEN_BUILD_DIR", VORLEN_BUILD_DIR, 0);
    setenv("VORLEN_SOURCE_DIR", VORLEN_SOURCE_DIR, 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
