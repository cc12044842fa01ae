// CAboutDlg: the about box — program version, build date, credits and the maker's links.
#pragma once

#include <QDialog>

class CHyperlinkLabel;
class QLabel;

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The program's four-part version, "major.minor.patch.tweak".
    [[nodiscard]] static QString FileVersionText();
    // When this program was compiled, in the compiler's "Mmm dd yyyy hh:mm:ss" form.
    [[nodiscard]] static QString BuildDateText();

    [[nodiscard]] QLabel* VersionLabel() const { return m_pVersion; }
    [[nodiscard]] QLabel* BuildDateLabel() const { return m_pBuildDate; }
    [[nodiscard]] CHyperlinkLabel* WebLink() const { return m_pWeb; }
    [[nodiscard]] CHyperlinkLabel* MailLink() const { return m_pMail; }

private:
    QLabel* m_pVersion;
    QLabel* m_pBuildDate;
    CHyperlinkLabel* m_pWeb;
    CHyperlinkLabel* m_pMail;
};
