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

    QMenu* file = top("&File");
    Add(file, cmd::FileNew, "&New\tCtrl+N");
    Add(file, cmd::FileOpen, "&Open...\tCtrl+O");
    Add(file, cmd::FileSave, "&Save\tCtrl+S");
    Add(file, cmd::FileSaveAs, "Save &As...");
    file->addSeparator();
    QMenu* import = AddSubMenu(file, "&Import");
    Add(import, cmd::ImportProject, "&Kubo Data File...");
    Add(import, cmd::ImportRawText, "&Raw Text File...");
    QMenu* exportMenu = AddSubMenu(file, "E&xport Selected");
    Add(exportMenu, cmd::ExportTranslated, "Translated data to text...");
    Add(exportMenu, cmd::ExportRaw, "Raw data to text...");
    file->addSeparator();
    Add(file, cmd::FilePrint, "&Print...\tCtrl+P");
    Add(file, cmd::FilePrintPreview, "Print Pre&view");
    Add(file, cmd::FilePageSetup, "Pa&ge Setup...");
    Add(file, cmd::FilePrintSetup, "P&rint Setup...");
    file->addSeparator();
    for (unsigned i = 0; i < cmd::FileMruCount; ++i)
        Add(file, cmd::FileMruFirst + i, "Recent File");
    file->addSeparator();
    Add(file, cmd::AppExit, "E&xit\tAlt+F4");
    SetRecentFiles({});

    QMenu* edit = top("&Edit");
    Add(edit, cmd::EditName, "Edit Name\tF2");
    Add(edit, cmd::EditDelete, "Delete\tDel");
    edit->addSeparator();
    Add(edit, cmd::EditCut, "Cu&t\tCtrl+X");
    Add(edit, cmd::EditCopy, "&Copy\tCtrl+C");
    Add(edit, cmd::EditPaste, "&Paste\tCtrl+V");
    Add(edit, cmd::EditPasteSpecial, "Paste &Special...");
    edit->addSeparator();
    Add(edit, cmd::EditSelectAll, "Select A&ll\tCtrl+A");
    Add(edit, cmd::EditUndo, "&Undo\tCtrl+Z");
    edit->addSeparator();
    Add(edit, cmd::EditFind, "&Find...\tCtrl+F");
    Add(edit, cmd::EditRepeat, "F&ind Next\tF3");
    Add(edit, cmd::EditReplace, "R&eplace\tCtrl+H");
    edit->addSeparator();
    Add(edit, cmd::OleInsertNew, "Insert &New Object...");
    Add(edit, cmd::OleEditLinks, "Lin&ks...");
    Add(edit, cmd::OleEditProperties, "Object P&roperties\tAlt+Enter");
    Add(edit, cmd::OleVerbFirst, "Object Actions...");

    QMenu* view = top("&View");
    Add(view, cmd::ViewInfoPage, "&Info Page\tAlt+1");
    Add(view, cmd::ViewGraphPage, "&Graph Page\tAlt+2");
    Add(view, cmd::ViewMeasurements, "&Data Measurements");
    view->addSeparator();
    Add(view, cmd::ViewToolbar, "&Toolbar");
    Add(view, cmd::ViewStatusBar, "&Status Bar");

    QMenu* format = top("For&mat");
    Add(format, cmd::FormatFont, "&Font...\tCtrl+Shift+F");
    format->addSeparator();
    Add(format, cmd::FormatBold, "&Bold\tCtrl+B");
    Add(format, cmd::FormatItalic, "&Italic\tCtrl+I");
    Add(format, cmd::FormatUnderline, "&Underline\tCtrl+U");
    format->addSeparator();
    Add(format, cmd::ParaBullets, "&Bullet Style");

    QMenu* graph = top("&Graph");
    Add(graph, cmd::GraphCopyPicture, "&Copy Picture\tCtrl+C");
    Add(graph, cmd::GraphSavePicture, "&Save Picture...");
    graph->addSeparator();
    Add(graph, cmd::MeasurementMode, "Measurement Mode\tCtrl+M");
    QMenu* zoom = AddSubMenu(graph, "&Zoom");
    Add(zoom, cmd::ZoomHorizontal, "&Horizontal Zoom Only");
    Add(zoom, cmd::ZoomBoth, "Horz and &Vert Zoom");
    zoom->addSeparator();
    Add(zoom, cmd::ZoomOut, "Zoom &Out");
    Add(zoom, cmd::ZoomAll, "Zoom &All");
    QMenu* cursor = AddSubMenu(graph, "Data &Cursor");
    static const char* const kCursorModes[] = {"&No Cursor", "X &Points",   "XY &Crosshair",
                                               "XY &Square", "&Floating Y", "F&loating XY"};
    for (unsigned i = 0; i < std::size(kCursorModes); ++i)
        Add(cursor, cmd::CursorNone + i, kCursorModes[i]);
    cursor->addSeparator();
    Add(cursor, cmd::CursorNextSubset, "Ne&xt Subset");
    graph->addSeparator();
    Add(graph, cmd::FlightAnnotation, "&Flight Annotation...\tCtrl+T");
    graph->addSeparator();
    Add(graph, cmd::GraphSettings, "Graph Settings...");

    QMenu* data = top("&Data");
    Add(data, cmd::DataReadData, "&Read Data\tCtrl+R");
    Add(data, cmd::DataInsertSession, "&Insert Empty Session");
    data->addSeparator();
    Add(data, cmd::DataSettings, "&Settings...");

    // Qt styles keep the menu bar left-aligned; Help is still the last menu.
    QMenu* help = top("&Help");
    Add(help, cmd::AppAbout, "&About...");

    // Commands that only have keys.
    Make(cmd::NextPane, Tr("Next Pane"));
    Make(cmd::PrevPane, Tr("Previous Pane"));
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
            action->setText(Tr("Recent File"));
            action->setVisible(i == 0 && paths.isEmpty());
        }
    }
}
