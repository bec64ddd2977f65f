#include "editor/view_picture.h"

#include <QPainter>

#include "editor/editor_model.h"
#include "editor/picture_pixels.h"
#include "editor/qt_convert.h"

ViewPicture::ViewPicture() : buffer(blankPicture()), screen(blankPicture()) {}

bool ViewPicture::loadBase(const std::string& path) {
    RgbImage rgb;
    if (!loadPictureFile(path, rgb)) return false;
    buffer = blankPicture();
    QPainter(&buffer).drawImage(0, 0, toQImage(rgb));
    return true;
}

void ViewPicture::clearBase() {
    buffer = blankPicture();
}

bool ViewPicture::loadOverlay(const std::string& path) {
    RgbImage rgb;
    if (!loadPictureFile(path, rgb)) return false;
    pichold = toQImage(rgb);
    return true;
}

const QImage& ViewPicture::compose(const EditorModel& model) {
    screen = buffer.copy();
    QPainter p(&screen);
    if (model.testOverlay && !pichold.isNull())
        p.drawImage(model.testOverlay->getX(), model.testOverlay->getY(), pichold);
    if (!model.showPolygons) return screen;
    const QColor colour = toQColor(model.lineColour);
    const bool circles = model.editMode >= ModeMovePoint && model.editMode <= ModeShapeMove;
    for (int i = 1; i <= model.shapeCount(); ++i) {
        const shape& shp = model.shapes[i - 1];
        const bool isSelected = i == model.selectedShape;
        p.setPen(QPen(colour, 1));
        p.setBrush(Qt::NoBrush);
        const int n = shp.numPoint();
        if (isSelected && circles)
            for (int16_t v = 1; v <= n; ++v) p.drawEllipse(QPoint(shp.x(v), shp.y(v)), 5, 5);
        p.setPen(QPen(colour, isSelected ? 3 : 1));
        for (int16_t v = 1; v <= n; ++v) {
            const int16_t w = static_cast<int16_t>(v == n ? 1 : v + 1);
            p.drawLine(shp.x(v), shp.y(v), shp.x(w), shp.y(w));
        }
    }
    if (model.drawing && model.newShape) drawOpenPolygon(p, model);
    return screen;
}

const QImage& ViewPicture::composeWithRubberBand(const EditorModel& model, double x, double y) {
    compose(model);
    if (!model.newShape || model.newShape->numPoint() == 0) return screen;
    QPainter p(&screen);
    if (!model.drawing || !model.showPolygons) drawOpenPolygon(p, model);
    p.setPen(QPen(toQColor(model.lineColour), 1));
    const shape& shp = *model.newShape;
    const int16_t last = shp.numPoint();
    p.drawLine(QPointF(shp.x(last), shp.y(last)), QPointF(x, y));
    return screen;
}

void ViewPicture::drawOpenPolygon(QPainter& p, const EditorModel& model) const {
    p.setPen(QPen(toQColor(model.lineColour), 1));
    const shape& shp = *model.newShape;
    for (int16_t v = 1; v < shp.numPoint(); ++v)
        p.drawLine(shp.x(v), shp.y(v), shp.x(v + 1), shp.y(v + 1));
}
