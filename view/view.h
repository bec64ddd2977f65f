#pragma once
// The current scene: base image, hotspots and on-load script. (Filled in with the
// view reader.)
class View {
public:
    virtual ~View() = default;
};
