// CMainMenu: the main window's command actions — menu bar, toolbar and accelerators by command id.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// Every command of the menus, the toolbar and the accelerator table is one QAction whose data()
// is its command id. The actions are children of the owner widget and are added to it, so their
// shortcuts work whether or not their menu or toolbar is shown. Status and tool tips come from
// the string table: the text before the first line feed is the status prompt, the text after
// it the tool tip.
class CMainMenu : public QObject {
    Q_OBJECT
public:
    explicit CMainMenu(QWidget* owner);

    void BuildMenuBar(QMenuBar* bar);
    void BuildToolBar(QToolBar* bar);

    // The action of a command id, or null when the id has none.
    [[nodiscard]] QAction* Action(unsigned id) const;
    [[nodiscard]] std::vector<QAction*> Actions() const;
    // The top-level menus in menu-bar order (File, Edit, View, Format, Graph, Data, Help).
    [[nodiscard]] const std::vector<QMenu*>& Menus() const { return m_menus; }

    // Shows the recent-file entries (at most FileMruCount; extra entries are ignored). An empty
    // list leaves one disabled "Recent File" placeholder, as the framework's list does.
    void SetRecentFiles(const QStringList& paths);

Q_SIGNALS:
    void commandTriggered(unsigned id);
    // A menu is about to open: its actions' states should be refreshed.
    void menuAboutToShow(QMenu* menu);

private:
    QAction* Add(QMenu* menu, unsigned id, const char* text);
    QAction* Make(unsigned id, const QString& text);
    QMenu* AddSubMenu(QMenu* parent, const char* title);
    void ApplyAccelerators();

    QWidget* m_owner;
    std::map<unsigned, QAction*> m_actions;
    std::vector<QMenu*> m_menus;
};
