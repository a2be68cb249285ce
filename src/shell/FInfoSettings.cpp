// The settings store of the info window: one key, in a file under the settings root, that
// holds the program's options and its main window's place between runs.
#include "shell/FInfo.h"

#include "platform/WindowPlace.h"
#include "shell/RegistryKey.h"
#include "shell/SettingNames.h"
#include "shell/VersionKey.h"

#include <QWidget>

namespace {

// The key's path below the root: Tarnwick/<product>/<version key>.
QString keyPath(const QString& product, const QString& versionKey) {
    return QStringLiteral("Tarnwick/") + product + u'/' + versionKey;
}

std::optional<qint32> integerValue(const RegistryKey& key, const QString& name) {
    const std::optional<RegistryValue> value = key.value(name);
    if (!value || value->type != RegistryValue::Type::Integer)
        return std::nullopt;
    return value->integer;
}

} // namespace

QString TFormInfo::VersionKeyOf(const QString& version) {
    return ::VersionKeyOf(version);
}

void TFormInfo::OpenSettingsKey(const QString& product) {
    const QString path = keyPath(product, VersionKey);
    SettingsKey = std::make_unique<RegistryKey>(path, RegistryKey::rootFolder());
    const auto access = UserIsAdmin() ? RegistryKey::Access::All : RegistryKey::Access::Read;
    // A key that can neither be opened nor created reads as empty and refuses every write.
    SettingsKey->open(access);
}

QString TFormInfo::settingsFolder() const {
    return SettingsKey ? SettingsKey->folder() : RegistryKey::rootFolder();
}

bool TFormInfo::UserIsAdmin() const {
    return RegistryKey::mayWrite(settingsFolder());
}

bool TFormInfo::ReadSettingStr(const QString& name, QString& value) const {
    value.clear();
    if (!SettingsKey)
        return false;
    const std::optional<RegistryValue> stored = SettingsKey->value(name);
    if (!stored)
        return true;
    if (stored->type != RegistryValue::Type::Text &&
        stored->type != RegistryValue::Type::ExpandableText)
        return false;
    value = stored->text;
    return true;
}

bool TFormInfo::ReadSettingInt(const QString& name, qint32& value) const {
    value = -1;
    if (!SettingsKey)
        return false;
    const std::optional<qint32> stored = integerValue(*SettingsKey, name);
    if (!stored)
        return false;
    value = *stored;
    return true;
}

bool TFormInfo::ReadSettingBool(const QString& name, bool& value) const {
    value = false;
    qint32 stored;
    if (!ReadSettingInt(name, stored))
        return false;
    value = stored != 0;
    return true;
}

bool TFormInfo::WriteSettingStr(const QString& name, const QString& value) {
    if (!SettingsKey)
        return false;
    SettingsKey->setValue(name, RegistryValue::ofText(value));
    return true;
}

bool TFormInfo::WriteSettingInt(const QString& name, qint32 value) {
    if (!SettingsKey)
        return false;
    SettingsKey->setValue(name, RegistryValue::ofInteger(value));
    return true;
}

bool TFormInfo::WriteSettingBool(const QString& name, bool value) {
    return WriteSettingInt(name, value ? 1 : 0);
}

bool TFormInfo::RestoreWindowPlace(const QString& prefix, QWidget* window) const {
    qint32 top, left, height, width;
    if (!ReadSettingInt(prefix + SettingNames::topSuffix, top))
        return false;
    if (top < 0) {
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
        return true;
    }
    window->move(window->x(), top);
    if (!ReadSettingInt(prefix + SettingNames::leftSuffix, left) || left <= 0)
        return false;
    window->move(left, window->y());
    if (!ReadSettingInt(prefix + SettingNames::heightSuffix, height) || height <= 0)
        return false;
    WindowPlace::setOuterHeight(window, height);
    if (!ReadSettingInt(prefix + SettingNames::widthSuffix, width) || width <= 0)
        return false;
    WindowPlace::setOuterWidth(window, width);
    return true;
}

bool TFormInfo::SaveWindowPlace(const QString& prefix, QWidget* window) {
    if (!SettingsKey)
        return false;
    // On X11 a maximized window's frame starts at the screen's top rather than above it;
    // a negative top is what brings a maximized window back maximized.
    const int top = window->isMaximized() ? qMin(window->y(), -1) : window->y();
    WriteSettingInt(prefix + SettingNames::topSuffix, top);
    WriteSettingInt(prefix + SettingNames::leftSuffix, window->x());
    WriteSettingInt(prefix + SettingNames::heightSuffix, WindowPlace::outerHeight(window));
    WriteSettingInt(prefix + SettingNames::widthSuffix, WindowPlace::outerWidth(window));
    return true;
}

void TFormInfo::FormDestroy() {
    if (!SettingsKey)
        return;
    SettingsKey->close();
    SettingsKey.reset();
}
