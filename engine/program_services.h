#pragma once
// The text renderer, the picture, music and movie codecs and the video encoders a program links,
// which its engine reaches through the host. A missing member leaves that kind of file unreadable
// (the engine says so where it reads one) rather than failing.
class MovieOpener;
class MusicDecoderFactory;
class PictureFormats;
class TextRenderer;
class VideoRecorderFactory;

struct ProgramServices {
    TextRenderer* text = nullptr;
    const PictureFormats* pictures = nullptr;
    MusicDecoderFactory* music = nullptr;
    MovieOpener* movies = nullptr;
    VideoRecorderFactory* recorders = nullptr;
};
