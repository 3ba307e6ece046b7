#pragma once

#include <QString>
#include <stdexcept>

// An error the station library raises to its caller, such as a filter it refuses.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString Message() const { return QString::fromStdString(what()); }
};
