#pragma once
// The text renderer and the picture, music and movie codecs a program links, which its
// engine reaches through the host. A missing member leaves that kind of file unreadable
// (the engine says so where it reads one) rather than failing.
class MovieOpener;
class MusicDecoderFactory;
class PictureFormats;
class TextRenderer;

struct ProgramServices {
    TextRenderer* text = nullptr;
    const PictureFormats* pictures = nullptr;
    MusicDecoderFactory* music = nullptr;
    MovieOpener* movies = nullptr;
};
