#include "LookupBench.h"

#include "BenchWindow.h"
#include "Rounds.h"
#include "platform/QtClipboard.h"
#include "support/FakeClipboard.h"
#include "support/PickerControls.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// About 10 MB of text that begins with `name`.
QString longTextAfter(const QString& name) {
    const QString words = QStringLiteral(" lorem ipsum dolor sit amet\n");
    QString text = name;
    text.reserve(10'000'000 + words.size());
    while (text.size() < 10'000'000)
        text += words;
    return text;
}

void checkSelected(const PickerControls& controls, const QString& genus, const QString& species) {
    if (controls.CBgenus->currentText() != genus || controls.CBspecies->currentText() != species ||
        controls.LblSubsp->text().isEmpty())
        quit(QStringLiteral("the lookup of %1 %2 selected '%3' '%4'")
                 .arg(genus, species, controls.CBgenus->currentText(),
                      controls.CBspecies->currentText()));
}

} // namespace

void benchLookups(BenchWindow& windows, int rounds, const QString& genus, const QString& species) {
    FakeClipboard clipboard;
    const std::unique_ptr<TFormNardel> form = windows.activated(clipboard);
    const PickerControls controls = ui(*form);
    controls.RBsubsp->setChecked(true);
    // The handlers are called here, not by the watch's timer: a click in the window stops it.
    QTest::mouseClick(form.get(), Qt::LeftButton);
    const QString name = genus + ' ' + species;

    Rounds figure = Rounds::interleaved(rounds, [&](Rounds& round) {
        round.ours.push_back(timeMs([&] { form->FindClipboardName(name); }));
        checkSelected(controls, genus, species);
        QCoreApplication::processEvents();
        double fills = timeMs([&] { form->FillSpeciesList(); });
        select(controls.CBspecies, species);
        fills += timeMs([&] { form->FillSubspList(); });
        round.floor.push_back(fills);
        QCoreApplication::processEvents();
    });
    printFigure("lookup", figure,
                QStringLiteral("%1: species and subspecies lists (%2 and %3 rows)")
                    .arg(name, controls.LblSpecies->text(), controls.LblSubsp->text()));

    const QString longText = longTextAfter(name);
    figure = Rounds::interleaved(rounds, [&](Rounds& round) {
        clipboard.copyFromOtherProgram(longText);
        round.ours.push_back(timeMs([&] { findCopiedName(*form); }));
        checkSelected(controls, genus, species);
        QCoreApplication::processEvents();
        clipboard.copyFromOtherProgram(name);
        round.floor.push_back(timeMs([&] { findCopiedName(*form); }));
        QCoreApplication::processEvents();
    });
    printFigure("long-text", figure,
                QStringLiteral("%1 characters against \"%2\"").arg(longText.size()).arg(name));
}

void benchWatchTick(BenchWindow& windows, int rounds, const QString& name) {
    QtClipboard clipboard;
    const bool ownCopy = clipboard.text() != name;
    if (ownCopy)
        QGuiApplication::clipboard()->setText(name);
    const std::unique_ptr<TFormNardel> form = windows.activated(clipboard);
    // The ticks are called here; the first takes the name up, the others find it unchanged.
    QTest::mouseClick(form.get(), Qt::LeftButton);
    tickWatch(*form);
    qsizetype read = 0;
    const Rounds figure = Rounds::interleaved(rounds, [&](Rounds& round) {
        round.ours.push_back(timeMs([&] { tickWatch(*form); }));
        round.floor.push_back(timeMs([&] { read += clipboard.text().size(); }));
    });
    if (read != (rounds + 1) * name.size())
        quit(QStringLiteral("the clipboard no longer holds %1").arg(name));
    printFigure("watch-tick", figure,
                QStringLiteral("\"%1\" on the clipboard of %2 (%3)")
                    .arg(name, QGuiApplication::platformName(),
                         ownCopy ? QStringLiteral("copied by this process")
                                 : QStringLiteral("copied by another program")));
}
