#include "base/RegistryTools.h"

#include "base/OstrelHome.h"

#include <QSettings>
#include <QVariant>

#include <memory>

namespace {

std::unique_ptr<QSettings> openRoot(RegistryTools::Root root) {
    const bool machine = root == RegistryTools::LocalMachine;
    if (OstrelHome::IsSet()) {
        const QString file = machine ? OstrelHome::MachineSettingsFile() : OstrelHome::UserSettingsFile();
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(machine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                               : QStringLiteral("HKEY_CURRENT_USER"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(
        QSettings::IniFormat, machine ? QSettings::SystemScope : QSettings::UserScope,
        QStringLiteral("Kestrane"),
        machine ? QStringLiteral("HKEY_LOCAL_MACHINE") : QStringLiteral("HKEY_CURRENT_USER"));
#endif
}

// The stored spelling of a name among the existing ones, matched ignoring case;
// the given spelling when none matches.
QString storedSpelling(const QStringList& existing, const QString& name) {
    for (const QString& candidate : existing) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return name;
}

// The full settings key of a value, with each part spelt as already stored.
QString resolve(QSettings& settings, const QString& key, const QString& name) {
    const QStringList parts = QString(key).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts);
    QStringList resolved;
    for (const QString& part : parts) {
        const QString spelt = storedSpelling(settings.childGroups(), part);
        resolved.append(spelt);
        settings.beginGroup(spelt);
    }
    const QString value =
        storedSpelling(settings.childKeys(), name.isEmpty() ? QStringLiteral("Default") : name);
    for (qsizetype i = 0; i < parts.size(); ++i)
        settings.endGroup();
    resolved.append(value);
    return resolved.join(u'/');
}

QVariant read(RegistryTools::Root root, const QString& key, const QString& name) {
    const auto settings = openRoot(root);
    return settings->value(resolve(*settings, key, name));
}

bool write(RegistryTools::Root root, const QString& key, const QString& name, const QVariant& value) {
    const auto settings = openRoot(root);
    settings->setValue(resolve(*settings, key, name), value);
    settings->sync();
    return settings->status() == QSettings::NoError && settings->isWritable();
}

} // namespace

qint32 RegistryTools::GetNumber(Root root, const QString& key, const QString& name, qint32 defaultValue) {
    const QVariant value = read(root, key, name);
    bool ok = false;
    const qint32 number = value.toInt(&ok);
    return ok ? number : defaultValue;
}

QString RegistryTools::GetString(Root root, const QString& key, const QString& name,
                                 const QString& defaultValue) {
    const QVariant value = read(root, key, name);
    return value.isValid() ? value.toString() : defaultValue;
}

bool RegistryTools::SetNumber(Root root, const QString& key, const QString& name, qint32 value) {
    return write(root, key, name, value);
}

bool RegistryTools::SetString(Root root, const QString& key, const QString& name, const QString& value) {
    return write(root, key, name, value);
}
