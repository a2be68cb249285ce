#pragma once

#include "shell/SettingsStore.h"
#include "shell/VersionKey.h"
#include "shell/VersionRecord.h"

#include <QDialog>
#include <memory>

class QPlainTextEdit;

namespace Ui {
class TFormInfo;
}

// The program info window: name, description, version, copyright and the maker's contacts,
// with a panel that lists the version record. It also reaches the program's settings store,
// the one key where the program keeps its options and window place between runs.
// A modal dialog that stays on top of the window given as its parent.
class TFormInfo : public QDialog {
    Q_OBJECT

public:
    // `settings` outlives the window.
    explicit TFormInfo(SettingsStore& settings, VersionRecord record = VersionRecord::program(),
                       QWidget* parent = nullptr);
    ~TFormInfo() override;

    void FillInfo(const QString& title, const QString& comment, const QString& edition,
                  const QString& year);
    void FormShow();
    void BtnOKClick();
    void BtnMoreClick();
    void LblAddressClick();
    // The mail link to the maker, with the title as its subject, not percent-encoded.
    QString mailLink() const;

    // The settings store, as SettingsStore describes it.
    bool UserIsAdmin() const { return SettingsKey.userIsAdmin(); }
    bool ReadSettingStr(const QString& name, QString& value) const {
        return SettingsKey.readString(name, value);
    }
    bool ReadSettingInt(const QString& name, qint32& value) const {
        return SettingsKey.readInt(name, value);
    }
    bool ReadSettingBool(const QString& name, bool& value) const {
        return SettingsKey.readBool(name, value);
    }
    bool WriteSettingStr(const QString& name, const QString& value) {
        return SettingsKey.writeString(name, value);
    }
    bool WriteSettingInt(const QString& name, qint32 value) {
        return SettingsKey.writeInt(name, value);
    }
    bool WriteSettingBool(const QString& name, bool value) {
        return SettingsKey.writeBool(name, value);
    }
    bool RestoreWindowPlace(const QString& prefix, QWidget* window) const {
        return SettingsKey.restoreWindowPlace(prefix, window);
    }
    bool SaveWindowPlace(const QString& prefix, QWidget* window) {
        return SettingsKey.saveWindowPlace(prefix, window);
    }
    static QString VersionKeyOf(const QString& version) { return ::VersionKeyOf(version); }

public slots:
    // Escape does not close the window; only "OK" does.
    void reject() override {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fitLabels();
    QPlainTextEdit& memo();

    bool m_labelsFitted = false;
    QPlainTextEdit* m_memo = nullptr;
    VersionRecord m_record;
    std::unique_ptr<Ui::TFormInfo> m_ui;
    SettingsStore& SettingsKey;
};
