#include "BenchWindow.h"

#include "Rounds.h"

#include "platform/MessageBox.h"
#include "support/PickerControls.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <cstdio>
#include <cstdlib>

BenchWindow::BenchWindow(const QString& folder) : m_folder(folder) {
    MessageBox::setSink([](MessageBox::Kind, const QString& title, const QString& text) {
        quit(QStringLiteral("the window reports: %1: %2").arg(title, text));
    });
}

std::unique_ptr<TFormNardel> BenchWindow::created(Clipboard& clipboard) {
    return std::make_unique<TFormNardel>(m_folder + '/', clipboard, m_settings.store());
}

std::unique_ptr<TFormNardel> BenchWindow::activated(Clipboard& clipboard) {
    std::unique_ptr<TFormNardel> form = created(clipboard);
    form->show();
    const QLabel* count = ui(*form).LblGenus;
    QDeadlineTimer deadline(30000);
    while (count->text().isEmpty()) {
        if (deadline.hasExpired())
            quit(QStringLiteral("the window did not fill its genus list"));
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return form;
}

void select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    if (index < 0)
        quit(QStringLiteral("'%1' is not in %2").arg(text, list->objectName()));
    list->setCurrentIndex(index);
}

void checkCount(const QLabel* countLabel, long rows) {
    const QString shown = countLabel->text();
    if (shown != QString::number(rows))
        quit(QStringLiteral("%1 shows '%2', the floor read %3 rows")
                 .arg(countLabel->objectName(), shown)
                 .arg(rows));
}
