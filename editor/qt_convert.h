#pragma once
// Conversions between the editor's plain data and Qt's: view text is 8-bit Latin-1,
// file names are bytes in the system's encoding, colours are 0x00BBGGRR.
#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <string>

struct RgbImage;

QString fromLatin(const std::string& s);
std::string toLatin(const QString& s);

std::string toPath(const QString& s);
QString fromPath(const std::string& s);

QColor toQColor(uint32_t bgr);
uint32_t fromQColor(const QColor& colour);

QImage toQImage(const RgbImage& rgb);
// A black picture of the view's size.
QImage blankPicture();
