#include "shell/MainMenu.h"

#include "framework/CommandIds.h"
#include "framework/StringTable.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

namespace {
// Menu texts are marked with QT_TR_NOOP where they are listed and translated here.
QString Tr(const char* text) {
    return QCoreApplication::translate("CMainMenu", text);
}

// Accelerator table: a command may have several keys; the first one listed is the one its menu
// text names.
struct Accelerator {
    unsigned id;
    QKeyCombination key;
};
const Accelerator kAccelerators[] = {
    {cmd::ViewInfoPage, Qt::ALT | Qt::Key_1},
    {cmd::ViewGraphPage, Qt::ALT | Qt::Key_2},
    {cmd::EditSelectAll, Qt::CTRL | Qt::Key_A},
    {cmd::FormatBold, Qt::CTRL | Qt::Key_B},
    {cmd::EditCopy, Qt::CTRL | Qt::Key_C},
    {cmd::EditFind, Qt::CTRL | Qt::Key_F},
    {cmd::FormatFont, Qt::CTRL | Qt::SHIFT | Qt::Key_F},
    {cmd::EditReplace, Qt::CTRL | Qt::Key_H},
    {cmd::FormatItalic, Qt::CTRL | Qt::Key_I},
    {cmd::MeasurementMode, Qt::CTRL | Qt::Key_M},
    {cmd::FileNew, Qt::CTRL | Qt::Key_N},
    {cmd::FileOpen, Qt::CTRL | Qt::Key_O},
    {cmd::FilePrint, Qt::CTRL | Qt::Key_P},
    {cmd::DataReadData, Qt::CTRL | Qt::Key_R},
    {cmd::FileSave, Qt::CTRL | Qt::Key_S},
    {cmd::FlightAnnotation, Qt::CTRL | Qt::Key_T},
    {cmd::FormatUnderline, Qt::CTRL | Qt::Key_U},
    {cmd::EditPaste, Qt::CTRL | Qt::Key_V},
    {cmd::EditCut, Qt::CTRL | Qt::Key_X},
    {cmd::EditUndo, Qt::CTRL | Qt::Key_Z},
    {cmd::EditUndo, Qt::ALT | Qt::Key_Backspace},
    {cmd::EditRedo, Qt::CTRL | Qt::Key_Y},
    {cmd::EditCut, Qt::SHIFT | Qt::Key_Delete},
    {cmd::EditName, QKeyCombination(Qt::Key_F2)},
    {cmd::EditRepeat, QKeyCombination(Qt::Key_F3)},
    {cmd::NextPane, QKeyCombination(Qt::Key_F6)},
    {cmd::PrevPane, Qt::SHIFT | Qt::Key_F6},
    {cmd::EditCopy, Qt::CTRL | Qt::Key_Insert},
    {cmd::EditPaste, Qt::SHIFT | Qt::Key_Insert},
    {cmd::OleEditProperties, Qt::ALT | Qt::Key_Return},
    {cmd::AppExit, Qt::ALT | Qt::Key_F4},
};

// Toolbar buttons in order; 0 is a separator. The icon is the desktop theme's icon of that name,
// else our own drawing of the same name.
struct ToolButton {
    unsigned id;
    const char* icon;
};
const ToolButton kToolButtons[] = {
    {cmd::FileNew, "document-new"},
    {cmd::FileOpen, "document-open"},
    {cmd::FileSave, "document-save"},
    {0, nullptr},
    {cmd::EditCut, "edit-cut"},
    {cmd::EditCopy, "edit-copy"},
    {cmd::EditPaste, "edit-paste"},
    {0, nullptr},
    {cmd::FormatBold, "format-text-bold"},
    {cmd::FormatItalic, "format-text-italic"},
    {cmd::FormatUnderline, "format-text-underline"},
    {cmd::FormatFont, "preferences-desktop-font"},
    {0, nullptr},
    {cmd::ParaAlignLeft, "format-justify-left"},
    {cmd::ParaAlignCenter, "format-justify-center"},
    {cmd::ParaAlignRight, "format-justify-right"},
    {cmd::ParaBullets, "format-list-unordered"},
    {0, nullptr},
    {cmd::MeasurementMode, "kubo-measure"},
    {cmd::ZoomHorizontal, "kubo-zoom-horizontal"},
    {cmd::ZoomBoth, "kubo-zoom-both"},
    {cmd::ZoomOut, "zoom-out"},
    {cmd::ZoomAll, "zoom-fit-best"},
    {0, nullptr},
    {cmd::FlightAnnotation, "kubo-annotation"},
    {0, nullptr},
    {cmd::GraphSettings, "kubo-graph-settings"},
    {cmd::DataSettings, "preferences-system"},
};

// Toolbar-only commands have no menu text; they are named after their tool tip.
QString NameFromPrompt(unsigned id) {
    const QString prompt = QString::fromStdString(LoadString(id));
    const qsizetype lf = prompt.indexOf(QLatin1Char('\n'));
    return lf >= 0 ? prompt.mid(lf + 1) : prompt;
}
} // namespace

CMainMenu::CMainMenu(QWidget* owner) : QObject(owner), m_owner(owner) {}

QAction* CMainMenu::Make(unsigned id, const QString& text) {
    if (QAction* existing = Action(id))
        return existing;
    auto* action = new QAction(text, m_owner);
    action->setData(id);
    const QString prompt = QString::fromStdString(LoadString(id));
    const qsizetype lf = prompt.indexOf(QLatin1Char('\n'));
    action->setStatusTip(lf >= 0 ? prompt.left(lf) : prompt);
    QString tip = lf >= 0 ? prompt.mid(lf + 1) : QString();
    if (tip.isEmpty()) {
        tip = text.left(text.indexOf(QLatin1Char('\t')));
        tip.remove(QLatin1Char('&'));
        if (tip.endsWith(QLatin1String("...")))
            tip.chop(3);
    }
    action->setToolTip(tip);
    // Keys come from the accelerator table, never from '&' mnemonics in a toolbar button.
    action->setIconText(tip);
    connect(action, &QAction::triggered, this, [this, id] { Q_EMIT commandTriggered(id); });
    m_owner->addAction(action);
    m_actions.emplace(id, action);
    return action;
}

QAction* CMainMenu::Add(QMenu* menu, unsigned id, const char* text) {
    QAction* action = Make(id, Tr(text));
    menu->addAction(action);
    return action;
}

QMenu* CMainMenu::AddSubMenu(QMenu* parent, const char* title) {
    QMenu* sub = parent->addMenu(Tr(title));
    connect(sub, &QMenu::aboutToShow, this, [this, sub] { Q_EMIT menuAboutToShow(sub); });
    return sub;
}

void CMainMenu::BuildMenuBar(QMenuBar* bar) {
    auto top = [&](const char* title) {
        QMenu* menu = bar->addMenu(Tr(title));
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { Q_EMIT menuAboutToShow(menu); });
        m_menus.push_back(menu);
        return menu;
    };

    QMenu* file = top(QT_TR_NOOP("&File"));
    Add(file, cmd::FileNew, QT_TR_NOOP("&New\tCtrl+N"));
    Add(file, cmd::FileOpen, QT_TR_NOOP("&Open...\tCtrl+O"));
    Add(file, cmd::FileSave, QT_TR_NOOP("&Save\tCtrl+S"));
    Add(file, cmd::FileSaveAs, QT_TR_NOOP("Save &As..."));
    file->addSeparator();
    QMenu* import = AddSubMenu(file, QT_TR_NOOP("&Import"));
    Add(import, cmd::ImportProject, QT_TR_NOOP("&Kubo Data File..."));
    Add(import, cmd::ImportRawText, QT_TR_NOOP("&Raw Text File..."));
    QMenu* exportMenu = AddSubMenu(file, QT_TR_NOOP("E&xport Selected"));
    Add(exportMenu, cmd::ExportTranslated, QT_TR_NOOP("Translated data to text..."));
    Add(exportMenu, cmd::ExportRaw, QT_TR_NOOP("Raw data to text..."));
    file->addSeparator();
    Add(file, cmd::FilePrint, QT_TR_NOOP("&Print...\tCtrl+P"));
    Add(file, cmd::FilePrintPreview, QT_TR_NOOP("Print Pre&view"));
    Add(file, cmd::FilePageSetup, QT_TR_NOOP("Pa&ge Setup..."));
    Add(file, cmd::FilePrintSetup, QT_TR_NOOP("P&rint Setup..."));
    file->addSeparator();
    for (unsigned i = 0; i < cmd::FileMruCount; ++i)
        Add(file, cmd::FileMruFirst + i, QT_TR_NOOP("Recent File"));
    file->addSeparator();
    Add(file, cmd::AppExit, QT_TR_NOOP("E&xit\tAlt+F4"));
    SetRecentFiles({});

    QMenu* edit = top(QT_TR_NOOP("&Edit"));
    Add(edit, cmd::EditName, QT_TR_NOOP("Edit Name\tF2"));
    Add(edit, cmd::EditDelete, QT_TR_NOOP("Delete\tDel"));
    edit->addSeparator();
    Add(edit, cmd::EditCut, QT_TR_NOOP("Cu&t\tCtrl+X"));
    Add(edit, cmd::EditCopy, QT_TR_NOOP("&Copy\tCtrl+C"));
    Add(edit, cmd::EditPaste, QT_TR_NOOP("&Paste\tCtrl+V"));
    Add(edit, cmd::EditPasteSpecial, QT_TR_NOOP("Paste &Special..."));
    edit->addSeparator();
    Add(edit, cmd::EditSelectAll, QT_TR_NOOP("Select A&ll\tCtrl+A"));
    Add(edit, cmd::EditUndo, QT_TR_NOOP("&Undo\tCtrl+Z"));
    Add(edit, cmd::EditRedo, QT_TR_NOOP("&Redo\tCtrl+Y"));
    edit->addSeparator();
    Add(edit, cmd::EditFind, QT_TR_NOOP("&Find...\tCtrl+F"));
    Add(edit, cmd::EditRepeat, QT_TR_NOOP("F&ind Next\tF3"));
    Add(edit, cmd::EditReplace, QT_TR_NOOP("R&eplace\tCtrl+H"));
    edit->addSeparator();
    Add(edit, cmd::OleInsertNew, QT_TR_NOOP("Insert &New Object..."));
    Add(edit, cmd::OleEditLinks, QT_TR_NOOP("Lin&ks..."));
    Add(edit, cmd::OleEditProperties, QT_TR_NOOP("Object P&roperties\tAlt+Enter"));
    Add(edit, cmd::OleVerbFirst, QT_TR_NOOP("Object Actions..."));

    QMenu* view = top(QT_TR_NOOP("&View"));
    Add(view, cmd::ViewInfoPage, QT_TR_NOOP("&Info Page\tAlt+1"));
    Add(view, cmd::ViewGraphPage, QT_TR_NOOP("&Graph Page\tAlt+2"));
    Add(view, cmd::ViewMeasurements, QT_TR_NOOP("&Data Measurements"));
    view->addSeparator();
    Add(view, cmd::ViewToolbar, QT_TR_NOOP("&Toolbar"));
    Add(view, cmd::ViewStatusBar, QT_TR_NOOP("&Status Bar"));

    QMenu* format = top(QT_TR_NOOP("For&mat"));
    Add(format, cmd::FormatFont, QT_TR_NOOP("&Font...\tCtrl+Shift+F"));
    format->addSeparator();
    Add(format, cmd::FormatBold, QT_TR_NOOP("&Bold\tCtrl+B"));
    Add(format, cmd::FormatItalic, QT_TR_NOOP("&Italic\tCtrl+I"));
    Add(format, cmd::FormatUnderline, QT_TR_NOOP("&Underline\tCtrl+U"));
    format->addSeparator();
    Add(format, cmd::ParaBullets, QT_TR_NOOP("&Bullet Style"));

    QMenu* graph = top(QT_TR_NOOP("&Graph"));
    Add(graph, cmd::GraphCopyPicture, QT_TR_NOOP("&Copy Picture\tCtrl+C"));
    Add(graph, cmd::GraphSavePicture, QT_TR_NOOP("&Save Picture..."));
    graph->addSeparator();
    Add(graph, cmd::MeasurementMode, QT_TR_NOOP("Measurement Mode\tCtrl+M"));
    QMenu* zoom = AddSubMenu(graph, QT_TR_NOOP("&Zoom"));
    Add(zoom, cmd::ZoomHorizontal, QT_TR_NOOP("&Horizontal Zoom Only"));
    Add(zoom, cmd::ZoomBoth, QT_TR_NOOP("Horz and &Vert Zoom"));
    zoom->addSeparator();
    Add(zoom, cmd::ZoomOut, QT_TR_NOOP("Zoom &Out"));
    Add(zoom, cmd::ZoomAll, QT_TR_NOOP("Zoom &All"));
    QMenu* cursor = AddSubMenu(graph, QT_TR_NOOP("Data &Cursor"));
    static const char* const kCursorModes[] = {
        QT_TR_NOOP("&No Cursor"), QT_TR_NOOP("X &Points"),   QT_TR_NOOP("XY &Crosshair"),
        QT_TR_NOOP("XY &Square"), QT_TR_NOOP("&Floating Y"), QT_TR_NOOP("F&loating XY")};
    for (unsigned i = 0; i < std::size(kCursorModes); ++i)
        Add(cursor, cmd::CursorNone + i, kCursorModes[i]);
    cursor->addSeparator();
    Add(cursor, cmd::CursorNextSubset, QT_TR_NOOP("Ne&xt Subset"));
    graph->addSeparator();
    Add(graph, cmd::FlightAnnotation, QT_TR_NOOP("&Flight Annotation...\tCtrl+T"));
    graph->addSeparator();
    Add(graph, cmd::GraphSettings, QT_TR_NOOP("Graph Settings..."));

    QMenu* data = top(QT_TR_NOOP("&Data"));
    Add(data, cmd::DataReadData, QT_TR_NOOP("&Read Data\tCtrl+R"));
    Add(data, cmd::DataInsertSession, QT_TR_NOOP("&Insert Empty Session"));
    data->addSeparator();
    Add(data, cmd::DataSettings, QT_TR_NOOP("&Settings..."));

    // Qt styles keep the menu bar left-aligned; Help is still the last menu.
    QMenu* help = top(QT_TR_NOOP("&Help"));
    Add(help, cmd::AppAbout, QT_TR_NOOP("&About..."));

    // Commands that only have keys.
    Make(cmd::NextPane, tr("Next Pane"));
    Make(cmd::PrevPane, tr("Previous Pane"));
    ApplyAccelerators();
}

void CMainMenu::BuildToolBar(QToolBar* bar) {
    for (const ToolButton& button : kToolButtons) {
        if (button.id == 0) {
            bar->addSeparator();
            continue;
        }
        QAction* action = Make(button.id, NameFromPrompt(button.id));
        const QString name = QString::fromLatin1(button.icon);
        action->setIcon(
            QIcon::fromTheme(name, QIcon(QStringLiteral(":/resources/icons/%1.svg").arg(name))));
        bar->addAction(action);
    }
    ApplyAccelerators();
}

void CMainMenu::ApplyAccelerators() {
    std::map<unsigned, QList<QKeySequence>> keys;
    for (const Accelerator& acc : kAccelerators)
        keys[acc.id].append(QKeySequence(acc.key));
    for (const auto& [id, sequences] : keys) {
        if (QAction* action = Action(id))
            action->setShortcuts(sequences);
    }
}

QAction* CMainMenu::Action(unsigned id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

std::vector<QAction*> CMainMenu::Actions() const {
    std::vector<QAction*> out;
    out.reserve(m_actions.size());
    for (const auto& entry : m_actions)
        out.push_back(entry.second);
    return out;
}

void CMainMenu::SetRecentFiles(const QStringList& paths) {
    const QString home = QDir::homePath();
    for (unsigned i = 0; i < cmd::FileMruCount; ++i) {
        QAction* action = Action(cmd::FileMruFirst + i);
        if (!action)
            continue;
        if (i < static_cast<unsigned>(paths.size())) {
            QString shown = QDir::toNativeSeparators(paths[static_cast<qsizetype>(i)]);
            if (!home.isEmpty() && shown.startsWith(QDir::toNativeSeparators(home + '/')))
                shown = QStringLiteral("~") + shown.mid(home.size());
            shown.replace(QLatin1Char('&'), QLatin1String("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
            action->setVisible(true);
        } else {
            action->setText(tr("Recent File"));
            action->setVisible(i == 0 && paths.isEmpty());
        }
    }
}
