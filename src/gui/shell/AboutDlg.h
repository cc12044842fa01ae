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
    // When this program was compiled: "Mmm d yyyy hh:mm:ss" (FormatBuildDate of the compiler's
    // date and time).
    [[nodiscard]] static QString BuildDateText();
    // The compiler's date ("Mmm dd yyyy", a day below 10 padded with a space) and time as one
    // text with single spaces: "Sep 1 2003 11:07:19".
    [[nodiscard]] static QString FormatBuildDate(const QString& date, const QString& time);

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
