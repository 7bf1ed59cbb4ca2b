// Start-up, shutdown and the look of the main window.
#include "lists/vantori.h"

#include "platform/gridview.h"
#include "platform/prompts.h"
#include "platform/qtcolors.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {
const QString kOptionsFile = QStringLiteral("/Options.Ini");
const QString kDefaultList = QStringLiteral("/Stocks1.Stk");
constexpr int kDesignedLeft = 70, kDesignedTop = 70, kDesignedWidth = 1024, kDesignedHeight = 870;
} // namespace

void TVantori1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    handler([this] { FormShow(); });
}

void TVantori1::closeEvent(QCloseEvent *event)
{
    handler([this] { FormClose(); });
    event->accept();
}

void TVantori1::FormShow()
{
    TGlobals &g = Globals();
    MergeMode = false;
    g.TimerCount = 1;
    ReferenceTotal = 0.0;
    ButtonCol = 2;
    ButtonRow = 1;
    Settings::SetDefaultColors(g);
    Settings::SetDefaultOptions(g, ProgramFolder);
    LoadStartUpList();
    applyStoredGeometry();
    ApplyColorScheme();
    g.TimerCount = 0;
    TreeListName.clear();
    StartUpDone = true;
}

void TVantori1::LoadStartUpList()
{
    TGlobals &g = Globals();
    pointFileListAt(ProgramFolder);
    CurrentListPath = ProgramFolder + kDefaultList;
    const QString loaded = Settings::ReadOptionsFile(ProgramFolder + kOptionsFile, g, Geometry);
    if (loaded.isEmpty()) {
        Settings::WriteOptionsFile(ProgramFolder + kOptionsFile, g, Geometry);
        BuildListTree();
        return;
    }
    if (!g.StockListsPath.trimmed().isEmpty()) {
        if (!pointFileListAt(g.StockListsPath)) {
            const QString missing = g.StockListsPath;
            m_unreachableListsPath = missing;
            g.StockListsPath = ProgramFolder;
            pointFileListAt(ProgramFolder);
            // Said once the window is up, so the message stands over it.
            QTimer::singleShot(0, this, [this, missing] {
                prompts().error(QStringLiteral("The stock lists folder \"%1\" could not be opened. "
                                               "Vantori is using its own folder \"%2\" instead.")
                                    .arg(missing, ProgramFolder));
            });
        }
    } else {
        g.StockListsPath = ProgramFolder;
    }
    if (!g.StartUpList.trimmed().isEmpty())
        CurrentListPath = g.StockListsPath + QLatin1Char('/') + g.StartUpList;
    CurrentListName = g.StartUpList;
    ReadStockList();
    BuildListTree();
    const int index = FindListNode(g.StartUpList.toLower());
    if (index >= 0) {
        QTreeWidgetItem *node = nodeAt(index);
        node->setExpanded(true);
        TreeView1->setCurrentItem(node);
        TreeView1->setFocus();
    }
}

void TVantori1::applyStoredGeometry()
{
    QRect wanted(Geometry.left, Geometry.top, Geometry.width, Geometry.height);
    if (Geometry.width <= 0 || Geometry.height <= 0)
        wanted = QRect(kDesignedLeft, kDesignedTop, kDesignedWidth, kDesignedHeight);

    QScreen *screen = QGuiApplication::screenAt(wanted.center());
    bool visible = false;
    for (QScreen *s : QGuiApplication::screens())
        visible = visible || s->availableGeometry().intersects(wanted);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        wanted.setWidth(std::min(wanted.width(), avail.width()));
        wanted.setHeight(std::min(wanted.height(), avail.height()));
        if (!visible)
            wanted.moveTopLeft(avail.topLeft() + QPoint(std::min(kDesignedLeft, avail.width() - wanted.width()),
                                                       std::min(kDesignedTop, avail.height() - wanted.height())));
    }
    move(wanted.topLeft());
    resize(wanted.size());
}

void TVantori1::FormClose()
{
    Geometry.left = x();
    Geometry.top = y();
    Geometry.height = height();
    Geometry.width = width();
    TGlobals stored = Globals();
    // A folder on a drive that was away at start keeps its place in the options, unless
    // the user chose another one since.
    if (!m_unreachableListsPath.isEmpty() && stored.StockListsPath == ProgramFolder)
        stored.StockListsPath = m_unreachableListsPath;
    Settings::WriteOptionsFile(ProgramFolder + kOptionsFile, stored, Geometry);
}

void TVantori1::ApplyColorScheme()
{
    const TGlobals &g = Globals();
    const auto css = [](ColorValue v) { return toQColor(v).name(); };

    setStyleSheet(QStringLiteral(
        "QMainWindow, QWidget#LeftPanel, QWidget#RightPanel { background: %1; color: %2; }"
        "QMenuBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3, stop:1 %4); color: %5; }"
        "QMenuBar::item { background: transparent; padding: 4px 8px; }"
        "QMenuBar::item:selected { background: %3; border-radius: 3px; }"
        "QToolBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %3, stop:1 %4); color: %5;"
        "           border: none; spacing: 2px; padding: 2px; }"
        "QToolBar QLabel { color: %5; }"
        "QToolBar QToolButton { color: %5; }")
                      .arg(css(g.MainColor), css(g.MainTextColor), css(g.ToolbarColor), css(g.ToolbarColorTo),
                           css(g.ToolbarTextColor)));

    for (QWidget *w : {static_cast<QWidget *>(TreeView1), static_cast<QWidget *>(StringGrid1)}) {
        QFont f = w->font();
        f.setBold(g.BoldText);
        w->setFont(f);
    }

    QPalette tree = TreeView1->palette();
    tree.setColor(QPalette::Base, toQColor(g.TreeColor));
    tree.setColor(QPalette::Text, toQColor(g.TreeTextColor));
    TreeView1->setPalette(tree);

    StringGrid1->setGridColors(g.GridColor, g.GridColorTo, g.GridTextColor);
    bool horizontal = false, vertical = false;
    if (g.GridLines)
        horizontal = vertical = true;
    if (g.HorzGridLines && !g.VertGridLines)
        horizontal = true, vertical = false;
    if (g.VertGridLines && !g.HorzGridLines)
        horizontal = false, vertical = true;
    if (g.HorzGridLines && g.VertGridLines)
        horizontal = vertical = true;
    StringGrid1->setGridLines(horizontal, vertical);
}
