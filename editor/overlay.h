#pragma once
// The test overlay: a picture placed over the base image so the author can check
// where a script's overlay will land. It is never written to the view file.
#include <cstdint>
#include <string>

class overlay {
public:
    // Fills the fields from an "addoverlayimage HANDLE {file} X Y Z" line. Consecutive
    // blanks give empty words. A number that does not convert stops the parse; the
    // fields read so far stay.
    void parse(const std::string& str);

    void setHandle(const std::string& hand) { handle = hand; }
    void setFile(const std::string& f) { file = f; }
    void setX(int16_t xc) { X = xc; }
    void setY(int16_t yc) { Y = yc; }
    void setZ(int16_t zc) { Z = zc; }
    const std::string& getHandle() const { return handle; }
    const std::string& getFile() const { return file; }
    int16_t getX() const { return X; }
    int16_t getY() const { return Y; }
    int16_t getZ() const { return Z; }

private:
    std::string handle;
    std::string file;
    int16_t X = 0;
    int16_t Y = 0;
    int16_t Z = 0;  // kept for the script line only; plays no part in drawing
};
