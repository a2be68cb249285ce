#pragma once

#include "shell/VersionRecord.h"

#include <QDialog>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class RegistryKey;

// The program info window: name, description, version, copyright and the maker's contacts,
// with a panel that lists the version record. It also carries the settings store, the one
// key where the program keeps its options and window place between runs; the key's path
// ends in a component of the version, so the window is filled before the key is opened.
class TFormInfo : public QDialog {
    Q_OBJECT

public:
    explicit TFormInfo(VersionRecord record = VersionRecord::program(), QWidget* parent = nullptr);
    ~TFormInfo() override;

    void FillInfo(const QString& title, const QString& comment, const QString& edition,
                  const QString& year);
    void FormShow();
    void BtnOKClick();
    void BtnMoreClick();
    void LblAddressClick();
    // The mail link to the maker, with the title as its subject, not percent-encoded.
    QString mailLink() const;

    // The settings store. Reads fail quietly and leave the preset out value; a write that
    // the store refuses throws SettingsWriteError.
    void OpenSettingsKey(const QString& product);
    bool UserIsAdmin() const;
    bool ReadSettingStr(const QString& name, QString& value) const;
    bool ReadSettingInt(const QString& name, qint32& value) const;
    bool ReadSettingBool(const QString& name, bool& value) const;
    bool WriteSettingStr(const QString& name, const QString& value);
    bool WriteSettingInt(const QString& name, qint32 value);
    bool WriteSettingBool(const QString& name, bool value);
    bool RestoreWindowPlace(const QString& prefix, QWidget* window) const;
    bool SaveWindowPlace(const QString& prefix, QWidget* window);
    static QString VersionKeyOf(const QString& version);

    QLabel* LblTitle;
    QLabel* LblComment;
    QLabel* LblVersion;
    QLabel* LblCopyright;
    QLabel* LblAddress;
    QPushButton* BtnOK;
    QPushButton* BtnMore;
    QPlainTextEdit* Memo1;

public slots:
    // Escape does not close the window; only "OK" does.
    void reject() override {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void FormCreate();
    void FormDestroy();
    // The key's folder; before the key is opened, the folder of all keys.
    QString settingsFolder() const;

    VersionRecord m_record;
    std::unique_ptr<RegistryKey> SettingsKey;
    QString VersionKey;
};
