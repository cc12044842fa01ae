// CPageTabCtrl: the data pages under tabs at the bottom of the main window, one shown at a time.
#pragma once

#include "framework/CmdTarget.h"

#include <QTabWidget>

#include <functional>

// Pages are children of the control. Commands are offered to the current page first, then to
// the control's own handlers (next/previous pane cycle the pages).
class CPageTabCtrl : public QTabWidget, public CCmdTarget {
    Q_OBJECT
public:
    // Makes a page as a child of the given parent; may return null or throw to report failure.
    using PageFactory = std::function<QWidget*(QWidget* parent)>;

    explicit CPageTabCtrl(QWidget* parent = nullptr);

    // Creates the page, inserts its tab with the label at index (clamped to the end) and
    // selects it. Returns false, leaving the tabs unchanged, when the page cannot be made.
    [[nodiscard]] bool AddPage(int index, const PageFactory& factory, const QString& label);
    // The page of tab index, or null.
    [[nodiscard]] QWidget* GetPage(int index) const;
    [[nodiscard]] QWidget* GetCurrentPage() const;
    // False when index has no tab.
    [[nodiscard]] bool SelectPage(int index);

    // After the last page comes the first, before the first the last; no tabs, nothing.
    void OnNextPane(unsigned id);
    void OnPrevPane(unsigned id);

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

Q_SIGNALS:
    // The page now shown (after a selection by code or by the user).
    void pageActivated(QWidget* page);
};
