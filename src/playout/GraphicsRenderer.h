#pragma once

#include <QObject>

// The playout system's colour scheme: a background, a panel and a text colour
// (0xRRGGBB), chosen by a value. Windows take their colours from it again when it
// tells them its factors changed.
class GraphicsRenderer : public QObject {
    Q_OBJECT
public:
    static constexpr int Standard = 0;
    static constexpr int Enterprise = 11;
    // The standard scheme's background, for dialogs opened without a window's colours.
    static constexpr quint32 StandardBackground = 0xF0F0F0;

    int Value() const { return value; }
    // Chooses the scheme; any value other than Enterprise gives the standard one.
    void SetValue(int value);

    quint32 Background() const;
    quint32 Panel() const;
    quint32 Text() const;

signals:
    void FactorsChanged();

private:
    int value = Standard;
};
