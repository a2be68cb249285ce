#pragma once

#include <QLabel>

// A one-line label that shows a text longer than itself cut with "…"; the whole text is its
// tooltip then, and always its accessible description, so nothing is hidden from the user.
// The text is shown as it is, also in the tooltip, whatever markup it looks like.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    QString fullText() const { return m_fullText; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void elide();

    QString m_fullText;
};
