// CTreeSplitter: the left column — the project tree above, the measurement tool below on demand.
#pragma once

#include "framework/CmdTarget.h"

#include <QSplitter>

#include <functional>

// Row 0 is the tree pane, given once; row 1 is the measurement tool, made by the factory when it
// is shown and destroyed when it is hidden. While both rows exist a resize keeps the tool's
// height and gives the change to the tree, as long as the tree stays taller than 5 pixels.
class CTreeSplitter : public QSplitter, public CCmdTarget {
    Q_OBJECT
public:
    using PaneFactory = std::function<QWidget*(QWidget* parent)>;

    // Below this height a tree row is too small to be worth keeping the tool's height for.
    static constexpr int kMinTreeHeight = 5;
    // The space the splitter bar and pane borders take beside the tool's own height.
    static constexpr int kSplitAllowance = 14;

    explicit CTreeSplitter(QWidget* parent = nullptr);

    // The tree pane becomes row 0; the splitter takes ownership.
    void SetTreePane(QWidget* tree);
    [[nodiscard]] QWidget* GetTreePane() const;

    // How the measurement tool is made and the height it asks for.
    void SetTrackFactory(PaneFactory factory, int trackHeight);

    [[nodiscard]] bool IsTrackShown() const { return count() >= 2; }
    // Shows the tool below the tree. False when it cannot be made (the row is not added).
    [[nodiscard]] bool ShowTrackPane();
    void HideTrackPane();
    // The tool pane; when it is not shown, null, unless create is set: then it is shown first.
    QWidget* GetTrackPane(bool create);

    bool OnCmdMsg(unsigned nID, CCmdUI* pCmdUI) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PaneFactory m_trackFactory;
    int m_trackHeight = 0;
};
