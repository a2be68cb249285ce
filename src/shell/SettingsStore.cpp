#include "shell/SettingsStore.h"

#include "platform/WindowPlace.h"
#include "shell/SettingNames.h"
#include "shell/VersionKey.h"
#include "shell/VersionRecord.h"

#include <QWidget>
#include <utility>

SettingsStore::SettingsStore(KeyLockTimes lockTimes) : m_lockTimes(lockTimes) {}

void SettingsStore::open(const QString& product, const QString& versionKey) {
    m_key.emplace(QStringLiteral("Tarnwick/") + product + u'/' + versionKey,
                  RegistryKey::rootFolder(), m_lockTimes);
    m_key->openAsAllowed();
}

void SettingsStore::openProgramKey(const VersionRecord& record) {
    open(SettingNames::product,
         VersionKeyOf(record.value(QStringLiteral("FileVersion")).value_or(QString())));
}

bool SettingsStore::userIsAdmin() const {
    return RegistryKey::mayWrite(m_key ? m_key->folder() : RegistryKey::rootFolder());
}

bool SettingsStore::readString(const QString& name, QString& value) const {
    value.clear();
    if (!m_key)
        return false;
    const std::optional<RegistryValue> stored = m_key->value(name);
    if (!stored)
        return true;
    if (stored->type != RegistryValue::Type::Text &&
        stored->type != RegistryValue::Type::ExpandableText)
        return false;
    value = stored->text;
    return true;
}

bool SettingsStore::readInt(const QString& name, qint32& value) const {
    value = -1;
    const std::optional<RegistryValue> stored = m_key ? m_key->value(name) : std::nullopt;
    if (!stored || stored->type != RegistryValue::Type::Integer)
        return false;
    value = stored->integer;
    return true;
}

bool SettingsStore::readBool(const QString& name, bool& value) const {
    value = false;
    qint32 stored;
    if (!readInt(name, stored))
        return false;
    value = stored != 0;
    return true;
}

bool SettingsStore::writeString(const QString& name, const QString& value) {
    if (!m_key)
        return false;
    m_key->setValue(name, RegistryValue::ofText(value));
    return true;
}

bool SettingsStore::writeInt(const QString& name, qint32 value) {
    if (!m_key)
        return false;
    m_key->setValue(name, RegistryValue::ofInteger(value));
    return true;
}

bool SettingsStore::writeBool(const QString& name, bool value) {
    return writeInt(name, value ? 1 : 0);
}

bool SettingsStore::restoreWindowPlace(const QString& prefix, QWidget* window) const {
    qint32 top;
    if (!readInt(prefix + SettingNames::topSuffix, top))
        return false;
    if (top < 0) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        return true;
    }
    // A stored number may be anything; no window is larger or further out than a widget may
    // be, and within that bound the place's arithmetic cannot overflow.
    QRect place = WindowPlace::outerPlace(window);
    place.moveTop(qMin(top, QWIDGETSIZE_MAX));
    const std::pair<QString, void (QRect::*)(int)> steps[] = {
        {SettingNames::leftSuffix, &QRect::moveLeft},
        {SettingNames::heightSuffix, &QRect::setHeight},
        {SettingNames::widthSuffix, &QRect::setWidth}};
    bool complete = true;
    for (const auto& [suffix, apply] : steps) {
        qint32 value;
        complete = readInt(prefix + suffix, value) && value > 0;
        if (!complete)
            break;
        (place.*apply)(qMin(value, QWIDGETSIZE_MAX));
    }
    WindowPlace::setOuterPlace(window, place);
    return complete;
}

bool SettingsStore::saveWindowPlace(const QString& prefix, QWidget* window) {
    if (!m_key)
        return false;
    // On X11 a maximized window's frame starts at the screen's top rather than above it;
    // a negative top is what brings a maximized window back maximized. A window that only
    // asked to be, as one of fixed size does, is saved where it stands: a negative top would
    // put it back at its designed place at every start.
    const int top = WindowPlace::isMaximizedOnScreen(window) ? qMin(window->y(), -1) : window->y();
    writeInt(prefix + SettingNames::topSuffix, top);
    writeInt(prefix + SettingNames::leftSuffix, window->x());
    writeInt(prefix + SettingNames::heightSuffix, WindowPlace::outerHeight(window));
    writeInt(prefix + SettingNames::widthSuffix, WindowPlace::outerWidth(window));
    return true;
}
