#pragma once

#include <QIcon>

// The pictures of the main window's buttons: the desktop theme's, or drawn here where the
// desktop has no icon theme of its own (see platform/ThemeIcons.h).
namespace ButtonPictures {

QIcon copy();
QIcon info();
QIcon find();
QIcon synonyms();

} // namespace ButtonPictures
