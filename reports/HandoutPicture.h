#pragma once
// The radio on the customer handout: the family's own picture (the one the
// Buttons page shows), with each numbered part of the handout's list
// marked on it by its number. The picture travels inside the report as a
// "data:" address, so a report file, a saved copy and a PDF need no
// picture file of their own.

#include <QString>
#include <QUrl>
#include <QVariant>

#include <vector>

namespace tavo {

// A numbered part of the handout's list and where it is on a picture of
// the family (fractions of the picture's width and height).
struct HandoutMark {
    int number;
    double x, y;
};

// The parts of a display model and of a rotary model, in list order.
const std::vector<HandoutMark> &HandoutMarks(bool displayModel);

// The picture `file` (a radio picture of the installation's "lib" folder)
// with `marks` drawn on it, as a "data:image/png;base64," address; empty
// when the picture cannot be read.
QString HandoutPictureAddress(const QString &file, const std::vector<HandoutMark> &marks);

// The image of a "data:" address (an invalid variant for anything else).
QVariant DataAddressImage(const QUrl &name);

} // namespace tavo
