#pragma once

#include <QString>
#include <optional>

class QWidget;

// Tables the user may not write, such as the list installed for every user, are edited in a
// copy in the user's own table folder once the user agrees; the shared tables stay as they
// are. The offer is made until the user declines it, once a run: the tables then open
// read-only without a question.
class EditableCopy {
public:
    // `userFolder`: the user's own table folder, where the copy goes.
    explicit EditableCopy(const QString& userFolder);

    // Where the tables in `tableFolder` are to be edited: when the user may not write its name
    // table, and it is not the user's own folder, asks whether to copy both tables into the
    // user's folder; on "Ano" copies them and gives that folder. Otherwise gives nothing, and
    // the tables are edited where they are. Throws EngineError when the copy fails, which then
    // leaves no table of it behind.
    std::optional<QString> offer(QWidget* parent, const QString& tableFolder);

private:
    QString m_userFolder;
    bool m_declined = false;
};
