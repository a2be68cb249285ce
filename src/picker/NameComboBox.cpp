#include "picker/NameComboBox.h"

#include <QAbstractListModel>
#include <QAccessibleWidget>
#include <QListView>

namespace {

class EntriesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    const Utf8List& entries() const { return m_entries; }
    void setEntries(const Utf8List& entries) {
        beginResetModel();
        m_entries = entries;
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_entries.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        return m_entries.value(index.row());
    }

private:
    Utf8List m_entries;
};

// Qt's own interface for a drop-down list names it by its chosen entry on Linux, where a
// screen reader would then read "Pulsatilla" twice and never "Rod". This one keeps the name
// and gives the entry as the value. The popup list, made only when it opens, is a window of
// its own that the reader follows there.
class NameComboBoxAccessible : public QAccessibleWidget {
public:
    explicit NameComboBoxAccessible(NameComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return list()->currentText();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override {
        return QStringList(showMenuAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    NameComboBox* list() const { return static_cast<NameComboBox*>(widget()); }
};

QAccessibleInterface* accessibleNameComboBox(const QString& className, QObject* object) {
    if (className == QLatin1String("NameComboBox"))
        return new NameComboBoxAccessible(static_cast<NameComboBox*>(object));
    return nullptr;
}

} // namespace

NameComboBox::NameComboBox(QWidget* parent) : QComboBox(parent) {
    // Installed once: Qt keeps a factory only once.
    QAccessible::installFactory(accessibleNameComboBox);
    setModel(new EntriesModel(this));
}

const Utf8List& NameComboBox::entries() const {
    return static_cast<const EntriesModel*>(model())->entries();
}

void NameComboBox::setEntries(const Utf8List& entries) {
    static_cast<EntriesModel*>(model())->setEntries(entries);
    setCurrentIndex(-1);
}

void NameComboBox::showPopup() {
    // view() makes the popup list when it does not exist yet; a list not yet set up opens
    // for the first time.
    if (auto* const rows = qobject_cast<QListView*>(view()); rows && !rows->uniformItemSizes()) {
        rows->setUniformItemSizes(true);
        if (m_popupFilter)
            rows->installEventFilter(m_popupFilter);
    }
    QComboBox::showPopup();
}
