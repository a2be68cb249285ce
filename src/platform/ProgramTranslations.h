#pragma once

#include <QTranslator>

// The program's texts and Qt's own in the desktop's language, as QLocale::system() reads it
// from LANGUAGE, LC_ALL, LC_MESSAGES and LANG: a language with a translation of the program
// (English) gets it; every other, the C locale among them, the Czech texts the program is
// written in. Installed into the running QCoreApplication while this lives.
class ProgramTranslations {
public:
    ProgramTranslations();
    ProgramTranslations(const ProgramTranslations&) = delete;
    ProgramTranslations& operator=(const ProgramTranslations&) = delete;

private:
    QTranslator program_;
    QTranslator toolkit_;
};
