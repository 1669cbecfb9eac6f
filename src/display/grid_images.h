#pragma once

#include <QPixmap>

// The grid's 16 by 16 images by TGridImage index: plus box, minus box, down arrow, pivot
// arrow. A null pixmap for any other index.
QPixmap GridImage(int index);
