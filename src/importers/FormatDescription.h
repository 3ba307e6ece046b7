#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// The text of a log layout description: "key = value" lines, a line beginning
// with '#' a comment, each key once. Keys are compared in lower case with single
// spaces. A description is refused with its file, the line and key at fault, and why.
class FormatDescription {
public:
    static std::optional<FormatDescription> Parse(const QString& text, const QString& fileName,
                                                  QString* problem);
    // Where the station's own descriptions live (the Formats folder of the product's
    // data), then the shipped ones.
    static QStringList Folders();
    // The file of the description of this name (without ".format"), the station's
    // own before a shipped one of the same name; nothing when there is none.
    static std::optional<QString> PathOf(const QString& name);
    // The text of the description of this name, and its file; nothing when there is
    // none or it cannot be read (`problem` says why, naming it as `what`).
    static std::optional<std::pair<QString, QString>> Named(const QString& name, const QString& what,
                                                            QString* problem);
    // The names of every description found, sorted.
    static QStringList Names();
    // The text of a description file; nothing (and why) when it cannot be read.
    static std::optional<QString> Read(const QString& path, QString* problem);

    // The keys in the order the file gives them.
    const QStringList& Keys() const { return keys; }
    bool Has(const QString& key) const { return values.contains(key); }
    QString Value(const QString& key) const { return values.value(key); }
    // "FILE: line N, key 'K': why" (the line left out for a key the file does not give,
    // both for a fault of the whole).
    QString Refusal(const QString& key, const QString& why) const;

private:
    QString fileName;
    QStringList keys;
    QHash<QString, QString> values;
    QHash<QString, int> lineOf;
};
