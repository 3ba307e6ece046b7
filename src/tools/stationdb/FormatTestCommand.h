#pragma once

#include "tools/stationdb/Command.h"

#include <optional>

// format test: reads a sample log through a log format and prints each line as the
// import reads it, and each it cannot read with its number and why.
class FormatTestCommand : public Command {
public:
    explicit FormatTestCommand(Console& console);

protected:
    bool accepts(const QCommandLineParser& parser) const override;
    int run(const QCommandLineParser& parser) override;

private:
    // The description file of the format NAME: a .format file's path as it is, or one
    // found by its name.
    static std::optional<QString> formatPath(const QString& name);
    // Reads the sample through the format the text describes, printing each line it reads
    // as lineText puts it.
    template <class Format, class Reader>
    int test(const QString& text, const QString& path, const QString& sample,
             QString (*lineText)(const QString&));
    // Prints each line as the reader reads it, and each it cannot read; the exit status:
    // 0 when every line reads, 5 otherwise.
    template <class Reader> int printLines(Reader& reader, QString (*lineText)(const QString&));
    // An advert line's fields in words, as the push reads them.
    static QString advertText(const QString& line);
    // A music row as the native lines it becomes.
    static QString nativeText(const QString& line);
};
