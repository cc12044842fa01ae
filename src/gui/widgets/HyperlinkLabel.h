// CHyperlinkLabel: a label shown as a link that opens its target (web page or mail) via the
// desktop.
#pragma once

#include <QLabel>
#include <QUrl>

// The text is shown as given; the target is set separately (when the owning dialog opens) and
// may be any URL the desktop can open: http(s) for a web page, mailto: for a new message.
// Without a target the label is plain text and clicking does nothing.
class CHyperlinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit CHyperlinkLabel(const QString& text = QString(), QWidget* parent = nullptr);

    void SetTarget(const QUrl& target);
    [[nodiscard]] const QUrl& GetTarget() const { return m_target; }
    void SetLinkText(const QString& text);

Q_SIGNALS:
    // Emitted before the desktop is asked to open the target.
    void linkOpened(const QUrl& target);

private:
    void Refresh();

    QString m_text;
    QUrl m_target;
};
