#pragma once

#include <QPixmap>
#include <QString>

// The program's own artwork: the splash picture and the About background, drawn rather than
// shipped as image files. caption is the line under the product name.
QPixmap BrandPicture(int width, int height, const QString& caption);
