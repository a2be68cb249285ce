#pragma once

#include <QIcon>
#include <QPixmap>

// The info window's two pictures, drawn rather than loaded so that the program carries no
// image files: the program's logo, a tuft of mat-grass in a green disc, and a tall pale stalk
// of it that stands behind the texts.
namespace InfoPictures {

QPixmap logo(int side);
QPixmap stalk(const QSize& size);
// The OK button's picture: the desktop theme's, or a green check mark.
QIcon okMark();

} // namespace InfoPictures
