#pragma once

#include "base/Application.h"

#include <QString>

// The process-wide general utilities of the playout libraries: the program's
// identity and command line, the debug settings, text padding, clamping, key
// filtering, time texts and URL encoding.
class GeneralTools {
public:
    static const Application& App();
    static void SetApp(const Application& app);

    static int DebugLevel();
    static void SetDebugLevel(int level);
    static const QString& DebugPath();
    static void SetDebugPath(const QString& path);

    // True when another process of this program already runs. The first caller
    // that finds none holds the program's lock until it is released.
    static bool PreviousInstanceRunning();
    // The lock file that tells a running instance of this program.
    static QString InstanceLockFile();
    // Lets the program's lock go: the tool has ended, and another may start.
    static void ReleaseInstance();

    // Appends (or, with append false, writes) the text and a CR LF, in Windows-1252.
    static bool AppendLineToFile(const QString& path, const QString& text, bool append = true);

    // The text right-aligned (PadLeft) or left-aligned (PadRight) in the width; a
    // longer text is cut to the width, keeping its beginning.
    static QString PadLeft(const QString& text, int width, QChar fill = u' ');
    static QString PadRight(const QString& text, int width, QChar fill = u' ');

    static qint64 Clamp(qint64 value, qint64 minimum, qint64 maximum);
    static double ClampDouble(double value, double minimum, double maximum);

    // Key filter for edit boxes: returns the key to use, or 0 to drop it.
    // Mode 1 keeps the keys of a whole number (digits) and the control keys
    // (backspace and the like); mode 0 keeps every key.
    static int FilterKey(int key, int mode);

    // Seconds in a time text. Fields separated by ":" read from the right as seconds,
    // minutes and hours ("03:30" is 210, "1:00:00" 3600). A text without ":" is a
    // count of seconds, except in format 3 (a length field of minutes and seconds)
    // where its last two digits are the seconds and those before them the minutes
    // ("00330" is 210).
    static double TextToSeconds(const QString& text, int format);

    // Form-encoding: blanks become "+", every character but letters, digits and
    // "-_.*" becomes "%" and two hexadecimal digits of its Windows-1252 code.
    static QString UrlEncode(const QString& text);
};
