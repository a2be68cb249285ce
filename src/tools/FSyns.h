#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class NameSource;
class Query;
class QueryRowsModel;

namespace Ui {
class TFormSyns;
}

// How the synonym window hands an accepted name to the main window, which selects it: the
// genus, and from level 1 the species, and from level 2 the subspecies.
using SelectNameCallback = std::function<void(int level, const QString& genus,
                                              const QString& species, const QString& subsp)>;

// The place of a window against the main window, whose frame's top-left corner is `mainTopLeft`:
// directly above it when the main window's top is below the exact half of the screen (on a
// screen 1025 high, 513 is below and 512 is not), otherwise directly below it; at the main
// window's left edge, not moved back onto the screen.
QPoint placeBesideMainWindow(QPoint mainTopLeft, int mainOuterHeight, int ownOuterHeight,
                             int screenHeight);

// The synonym search window: finds the synonyms that begin with a text and hands the accepted
// name of one to the main window. An ordinary window, neither modal nor on top; closing it
// drops the result, hides it and keeps the search text.
class TFormSyns : public QWidget {
    Q_OBJECT

public:
    TFormSyns(NameSource& source, SelectNameCallback selectName, QWidget* parent = nullptr);
    ~TFormSyns() override;

    // Puts `text` into the search field, places the window against `mainWindow` and shows it
    // in front. It runs no search: an earlier result stays until the next one.
    void ShowFormSyns(const QString& text, const QWidget* mainWindow);
    // Searches through `source` from now on; the result read through the old one goes, which
    // may then close.
    void useSource(NameSource& source);
    // Searches with the text of the search field; also the Enter key there.
    void BtnFindClick();
    // Has the main window select the accepted name of the current row. Without a current
    // row it does nothing; a synonym whose accepted name is missing is reported.
    void BtnNameClick();
    void FormClose();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeBeside(const QWidget* mainWindow);
    void setUpResult(NameSource& source);
    void closeQuery1();
    void Query1AfterOpen();
    void Query1AfterClose();

    std::unique_ptr<Ui::TFormSyns> m_ui;
    SelectNameCallback m_selectName;
    QueryRowsModel* Query1 = nullptr;
    std::unique_ptr<Query> Query2;
    // The main window to place this one against again once the window system tells this
    // window's frame; none when the place already counts with it.
    const QWidget* m_placeOnceFramed = nullptr;
};
