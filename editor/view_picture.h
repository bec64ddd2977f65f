#pragma once
// The pictures behind the drawing area: the base image (`buffer`), the test overlay's
// picture (`pichold`), and their composition with the polygons (`screen`).
#include <QImage>
#include <string>

class EditorModel;

class ViewPicture {
public:
    ViewPicture();

    // Puts a decoded picture file in as the base image; false (the old one kept) when
    // it cannot be read.
    bool loadBase(const std::string& path);
    void clearBase();
    // Reads the test overlay's picture; false (the old one kept) when it cannot be read.
    bool loadOverlay(const std::string& path);
    void clearOverlay() { pichold = QImage(); }

    // Base image, test overlay and polygons as the model has them.
    const QImage& compose(const EditorModel& model);
    // The same with the open polygon and its rubber band to (x, y).
    const QImage& composeWithRubberBand(const EditorModel& model, double x, double y);

private:
    void drawOpenPolygon(QPainter& p, const EditorModel& model) const;

    QImage buffer;
    QImage pichold;
    QImage screen;
};
