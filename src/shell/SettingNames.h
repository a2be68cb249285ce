#pragma once

#include <QString>

// The names of the values in the program's settings key, so that a value is never read under
// one spelling and written under another.
namespace SettingNames {

// The product whose key holds the values.
inline const QString product = QStringLiteral("Nardel");

// The window place: a prefix joined to the four suffixes gives FormTop, FormLeft, ...
inline const QString mainWindowPrefix = QStringLiteral("Form");
inline const QString topSuffix = QStringLiteral("Top");
inline const QString leftSuffix = QStringLiteral("Left");
inline const QString heightSuffix = QStringLiteral("Height");
inline const QString widthSuffix = QStringLiteral("Width");

inline const QString level = QStringLiteral("Level");
inline const QString addAuthor = QStringLiteral("AddAuthor");
inline const QString autoClipboard = QStringLiteral("AutoClipbrd");
inline const QString formatted = QStringLiteral("Formated");
// The clipboard watch reads a copied name as a botanist writes it; off unless chosen.
inline const QString smartLookup = QStringLiteral("SmartLookup");
inline const QString fontName = QStringLiteral("FontName");
inline const QString fontSize = QStringLiteral("FontSize");

} // namespace SettingNames
