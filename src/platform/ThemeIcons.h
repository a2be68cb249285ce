#pragma once

#include <QIcon>
#include <QPainter>
#include <QString>
#include <functional>

// Pictures for buttons. A desktop without an icon theme of its own has only the fallback theme
// "hicolor", which holds programs' icons and no pictures for buttons, yet searching it (as the
// toolkit's own button pictures do first) costs the start tens of milliseconds. There the
// program draws its own.

// The theme's picture of `name`; a null icon where the desktop has no icon theme of its own or
// its theme has no such picture.
QIcon themeIcon(const QString& name);
// A picture drawn by `draw` on a 16 × 16 grid, at the sizes buttons ask for.
QIcon drawnIcon(const std::function<void(QPainter&)>& draw);
// The theme's picture of `name` where the desktop has an icon theme with one, else `draw`'s.
QIcon themeIconOr(const QString& name, const std::function<void(QPainter&)>& draw);
