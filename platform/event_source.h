#pragma once
// The main window's messages, whatever delivers them: SDL events in the programs, the
// input script in the headless runner and the tests.
#include <atomic>
#include <cstdint>
#include <deque>

struct WindowEvent {
    enum Type {
        Quit,       // the quit message; value is the exit code
        Close,      // the close box: the window is destroyed
        Activate,   // value: 1 active, 0 inactive
        KeyDown,    // value: virtual key (27 Escape)
        Character,  // value: the character typed
        MouseMove,  // x, y: client position
        Moving,     // the window is being dragged
        EnterMove,  // a move or resize begins
        ExitMove,   // a move or resize ended
        Music,      // the music player has events waiting
    };
    Type type = Quit;
    int value = 0;
    int x = 0, y = 0;
};

// Posts the music message from any thread: the mix, which may run on the sound device's
// thread, finds the end of the music.
class MusicNotifier {
public:
    virtual ~MusicNotifier() = default;
    virtual void postMusicEvent() = 0;
};

// The message queue. Messages the engine posts to itself (the quit message, the close
// request on the ending screen) come out before anything the platform has waiting. Every
// queue takes the music message, from any thread.
class EventSource : public MusicNotifier {
public:
    virtual ~EventSource() = default;

    // Removes the next message into `event`; false when none waits.
    bool next(WindowEvent& event);
    // Blocks until a message waits.
    void wait();
    void post(const WindowEvent& event) { posted_.push_back(event); }
    void postQuit(int code) { post({WindowEvent::Quit, code}); }
    bool quitPosted() const;

protected:
    // The platform's own messages.
    virtual bool fetch(WindowEvent& event) = 0;
    virtual void waitForEvent() {}

private:
    std::deque<WindowEvent> posted_;
};

// Messages fed in by hand (the headless runner, tests). Music messages may come from any
// thread; they follow the messages pushed so far.
class QueuedEventSource : public EventSource {
public:
    void push(const WindowEvent& event) { queue_.push_back(event); }
    bool empty() const { return queue_.empty() && musicEvents_.load() == 0; }
    void postMusicEvent() override { musicEvents_.fetch_add(1); }

protected:
    bool fetch(WindowEvent& event) override;

private:
    std::deque<WindowEvent> queue_;
    std::atomic<int> musicEvents_{0};
};
