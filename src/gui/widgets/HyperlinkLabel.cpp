#include "widgets/HyperlinkLabel.h"

#include <QDesktopServices>

CHyperlinkLabel::CHyperlinkLabel(const QString& text, QWidget* parent)
    : QLabel(parent), m_text(text) {
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // Opened here rather than by QLabel so that the target, not the shown text, is used and
    // tests can observe the request.
    setOpenExternalLinks(false);
    connect(this, &QLabel::linkActivated, this, [this](const QString&) {
        if (!m_target.isValid())
            return;
        Q_EMIT linkOpened(m_target);
        QDesktopServices::openUrl(m_target);
    });
    Refresh();
}

void CHyperlinkLabel::SetTarget(const QUrl& target) {
    m_target = target;
    setToolTip(target.isValid() ? target.toDisplayString() : QString());
    Refresh();
}

void CHyperlinkLabel::SetLinkText(const QString& text) {
    m_text = text;
    Refresh();
}

void CHyperlinkLabel::Refresh() {
    const QString shown = m_text.toHtmlEscaped();
    if (m_target.isValid()) {
        setText(QStringLiteral("<a href=\"%1\">%2</a>")
                    .arg(m_target.toString(QUrl::FullyEncoded).toHtmlEscaped(), shown));
        setCursor(Qt::PointingHandCursor);
    } else {
        setText(shown);
        unsetCursor();
    }
}
