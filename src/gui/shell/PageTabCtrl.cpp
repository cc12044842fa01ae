#include "shell/PageTabCtrl.h"

#include "framework/CommandIds.h"

#include <QTabBar>

#include <exception>

CPageTabCtrl::CPageTabCtrl(QWidget* parent) : QTabWidget(parent) {
    setTabPosition(QTabWidget::South);
    setDocumentMode(true);
    // Clicking a tab must leave the keyboard focus where it was (the tree or a page control).
    setFocusPolicy(Qt::NoFocus);
    tabBar()->setFocusPolicy(Qt::NoFocus);
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    // A 10-pixel character height at 96 dpi, scaled with the screen's resolution.
    font.setPointSizeF(7.5);
    tabBar()->setFont(font);
    connect(this, &QTabWidget::currentChanged, this, [this](int index) {
        if (QWidget* page = widget(index))
            Q_EMIT pageActivated(page);
    });
}

bool CPageTabCtrl::AddPage(int index, const PageFactory& factory, const QString& label) {
    QWidget* page = nullptr;
    try {
        page = factory ? factory(this) : nullptr;
    } catch (const std::exception&) {
        page = nullptr;
    }
    if (!page)
        return false;
    const int at = insertTab(index < 0 ? count() : index, page, label);
    if (at < 0) {
        delete page; // not yet owned by the tabs
        return false;
    }
    setCurrentIndex(at);
    return true;
}

QWidget* CPageTabCtrl::GetPage(int index) const {
    return widget(index);
}

QWidget* CPageTabCtrl::GetCurrentPage() const {
    return currentWidget();
}

bool CPageTabCtrl::SelectPage(int index) {
    if (index < 0 || index >= count())
        return false;
    if (index == currentIndex()) {
        // No currentChanged signal: tell the frame again, it may have moved the active view.
        Q_EMIT pageActivated(widget(index));
    } else {
        setCurrentIndex(index);
    }
    return true;
}

void CPageTabCtrl::OnNextPane(unsigned) {
    if (count() > 0)
        (void)SelectPage((currentIndex() + 1) % count());
}

void CPageTabCtrl::OnPrevPane(unsigned) {
    if (count() > 0)
        (void)SelectPage((currentIndex() + count() - 1) % count());
}

bool CPageTabCtrl::OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) {
    if (auto* page = dynamic_cast<CCmdTarget*>(GetCurrentPage());
        page && page->OnCmdMsg(nID, pCmdUI))
        return true;
    static const CommandEntry<CPageTabCtrl> map[] = {
        {cmd::NextPane, cmd::NextPane, &CPageTabCtrl::OnNextPane, nullptr},
        {cmd::PrevPane, cmd::PrevPane, &CPageTabCtrl::OnPrevPane, nullptr},
    };
    return RouteCommand(*this, map, nID, pCmdUI);
}
