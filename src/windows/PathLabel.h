#pragma once

#include <QLabel>

// A label that shows a path: one too long for the label shows its start and its
// end with "…" between, and the whole path is its tooltip.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);

    void SetPath(const QString& path);
    const QString& Path() const { return path; }
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString path;
};
