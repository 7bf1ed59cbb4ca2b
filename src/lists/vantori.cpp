#include "lists/vantori.h"

#include "lists/gridtext.h"
#include "lists/stocklistfile.h"
#include "platform/errorguard.h"
#include "platform/gridtablemodel.h"
#include "platform/gridview.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "quotes/quotefetcher.h"
#include "quotes/valuation.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char *const kHeadings[9] = {"Symbol", "Stock Name          ", "Ave. Cost", "Quantity", "Price",
                                  "Ext. Amt.", "Old Amt.", "Difference", "Percent"};
// Wide enough for "1,234,567.89" in the desktop's usual font.
const int kDesignedWidths[9] = {70, 160, 72, 64, 72, 88, 88, 84, 64};

QIcon treeIcon(const QString &normal, const QString &selected)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/%1.svg").arg(normal), QSize(16, 16), QIcon::Normal);
    icon.addFile(QStringLiteral(":/icons/%1.svg").arg(selected), QSize(16, 16), QIcon::Selected);
    return icon;
}

enum NodeKind { ListNode = 0, HoldingNode = 1 };

} // namespace

static void initIconResources()
{
    // The pictures are compiled into a static library; its resources need a nudge.
    Q_INIT_RESOURCE(icons);
}

TVantori1::TVantori1(PlatformServices services, const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_services(services)
{
    initIconResources();
    setObjectName(QStringLiteral("Vantori1"));
    setWindowTitle(QStringLiteral("Vantori"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    ProgramFolder = programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    while (ProgramFolder.size() > 1 && ProgramFolder.endsWith(QLatin1Char('/')))
        ProgramFolder.chop(1);
    StartUpDone = false;

    for (int c = 0; c < 9; ++c)
        m_grid.setCell(c, 0, QString::fromLatin1(kHeadings[c]));

    WebData1 = new QuoteFetcher(this);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { handler([this] { Timer1Timer(); }); });

    buildCentral();
    connectQuotes();
    buildActions();
    buildMenus();
    buildToolBar();
    statusBar()->setSizeGripEnabled(true);
    m_statusLabel = new QLabel;
    m_statusLabel->setObjectName(QStringLiteral("StatusLabel"));
    m_statusLabel->setAccessibleName(QStringLiteral("Status"));
    m_statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(m_statusLabel, 1);
    resize(1024, 870);
    Timer1->start();
}

TVantori1::~TVantori1()
{
    // The view reads the grid, a member that goes before the child widgets do, and
    // stores its column widths as it goes: it must go while the grid is still there.
    delete StringGrid1;
    StringGrid1 = nullptr;
}

void TVantori1::buildCentral()
{
    TreeView1 = new QTreeWidget;
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    TreeView1->setToolTip(QStringLiteral("Double Click Stock List to View or Edit"));
    TreeView1->setAccessibleName(QStringLiteral("Double Click Stock List to View or Edit"));
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->setExpandsOnDoubleClick(false);
    TreeView1->installEventFilter(this);
    connect(TreeView1, &QTreeWidget::itemDoubleClicked, this,
            [this] { handler([this] { TreeView1DblClick(); }); });

    StringGrid1 = new GridView(&m_grid);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setToolTip(QStringLiteral("Enter Stock or Mutual Fund Ticker Symbol in First Column on the Left"));
    StringGrid1->setAccessibleName(QStringLiteral("Enter Stock or Mutual Fund Ticker Symbol in First Column on the Left"));
    for (int c = 0; c < 9; ++c)
        StringGrid1->setColumnWidth(c, kDesignedWidths[c]);
    StringGrid1->tableModel()->setRightAlignedColumns({2, 3, 4, 5, 6, 7, 8});
    StringGrid1->keepColumnWidths(QStringLiteral("Vantori Column Size"));
    StringGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(30);

    auto *left = new QWidget;
    left->setObjectName(QStringLiteral("LeftPanel"));
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(6, 8, 6, 6);
    leftLayout->addWidget(TreeView1);

    auto *right = new QWidget;
    right->setObjectName(QStringLiteral("RightPanel"));
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(6, 8, 6, 6);
    rightLayout->addWidget(StringGrid1);

    m_splitter = new QSplitter(Qt::Horizontal);
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    m_splitter->setHandleWidth(4);
    m_splitter->addWidget(left);
    m_splitter->addWidget(right);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setSizes({250, 774});
    setCentralWidget(m_splitter);
}

void TVantori1::setGridBackground()
{
    const TGlobals &g = Globals();
    StringGrid1->setGridColors(g.GridColor, g.GridColorTo, g.GridTextColor);
}

QString TVantori1::resolveListPath(const QString &path) const
{
    if (path.isEmpty() || QFileInfo(path).isAbsolute())
        return path;
    return m_listFolder + QLatin1Char('/') + path;
}

bool TVantori1::pointFileListAt(const QString &folder)
{
    const QDir dir(folder);
    if (folder.trimmed().isEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    m_listFolder = folder;
    m_listFiles = StockListFile::listFiles(folder);
    return true;
}

// ---- Stock list file ---------------------------------------------------------------

void TVantori1::ReadStockList()
{
    StockListFile::readInto(m_grid, resolveListPath(CurrentListPath), MergeMode, Globals().GridColor);
    setWindowTitle(QStringLiteral("Vantori - ") + CurrentListPath);
    Globals().TimerCount = 0;
    ReferenceTotal = 0.0;
    ShowTotals();
    if (Label1->text().size() > 8) {
        ReferenceTotal = GridText::StrToFloat(GridText::StripCommas(Label1->text().mid(7)));
        Label2->setText(GridText::format2n(ReferenceTotal));
        showChange(false);
    }
}

bool TVantori1::HasDuplicateSymbols()
{
    const int row = StockListFile::firstDuplicateRow(m_grid);
    if (row == 0)
        return false;
    DuplicateRow = row;
    return true;
}

void TVantori1::TSaveBtnClick()
{
    if (HasDuplicateSymbols()) {
        prompts().error(QStringLiteral("You cannot have Duplicate Stock or Fund Symbols - ")
                        + m_grid.cell(0, DuplicateRow) + QStringLiteral(" Please Add Cells Together as one."));
        StringGrid1->focusCell(0, DuplicateRow);
        StringGrid1->setFocus();
        return;
    }
    const QString chosen = prompts().saveFile(QStringLiteral("Save Stock List"), Globals().StockListsPath,
                                              CurrentListPath, QStringLiteral("Stock Files (*.Stk)"),
                                              QStringLiteral("Stk"));
    if (chosen.isEmpty())
        return;
    CurrentListPath = chosen;
    QString error;
    if (!StockListFile::write(chosen, m_grid, &error))
        throw AppError(error);

    // The grid goes on showing the list just saved, under its own name, whichever
    // folder it went to; the tree is read again so it holds the amounts of this save.
    TGlobals &g = Globals();
    if (g.StockListsPath.trimmed().isEmpty())
        g.StockListsPath = ProgramFolder;
    CurrentListName = QFileInfo(chosen).fileName();
    pointFileListAt(g.StockListsPath);
    BuildListTree();
    CurrentListPath = chosen;
    ReadStockList();
    const int index = QFileInfo(chosen).absolutePath() == QFileInfo(m_listFolder).absoluteFilePath()
                          ? FindListNode(CurrentListName.toLower())
                          : -1;
    if (index >= 0) {
        TreeView1->setCurrentItem(nodeAt(index));
        nodeAt(index)->setExpanded(true);
    } else {
        TreeView1->clearSelection();
    }
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(chosen), 5000);
}

void TVantori1::TOpenBtnClick()
{
    const QString chosen = prompts().openFile(QStringLiteral("Open Stock List"), Globals().StockListsPath,
                                              CurrentListPath,
                                              QStringLiteral("Stock Files (*.Stk *.stk *.STK)"));
    if (chosen.isEmpty())
        return;
    CurrentListPath = chosen;
    ReadStockList();
}

void TVantori1::TNewBtnClick()
{
    if (!StartUpDone)
        return;
    GridText::ClearGrid(m_grid, Globals().GridColor);
    setGridBackground();
    CurrentListPath.clear();
    CurrentListName.clear();
}

// ---- Library tree ------------------------------------------------------------------

int TVantori1::nodeCount() const
{
    int n = 0;
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        n += 1 + TreeView1->topLevelItem(i)->childCount();
    return n;
}

QTreeWidgetItem *TVantori1::nodeAt(int index) const
{
    if (index < 0)
        return nullptr;
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = TreeView1->topLevelItem(i);
        if (index == 0)
            return top;
        --index;
        if (index < top->childCount())
            return top->child(index);
        index -= top->childCount();
    }
    return nullptr;
}

int TVantori1::FindListNode(const QString &lowerName) const
{
    int index = 0;
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = TreeView1->topLevelItem(i);
        if (top->text(0).toLower() == lowerName)
            return index;
        ++index;
        for (int c = 0; c < top->childCount(); ++c, ++index)
            if (top->child(c)->text(0).toLower() == lowerName)
                return index;
    }
    return -1;
}

void TVantori1::AddHoldingNodes(const QString &listName)
{
    if (TreeView1->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem *parent = nodeAt(FindListNode(listName));
    if (!parent)
        return;
    static const QIcon holding = treeIcon(QStringLiteral("holding"), QStringLiteral("holdingselected"));
    for (int row = 1; row < m_grid.rowCount(); ++row) {
        const QString text = StockListFile::holdingNodeText(m_grid, row);
        auto *node = new QTreeWidgetItem(parent, {text}, HoldingNode);
        node->setIcon(0, holding);
        node->setToolTip(0, text); // the pane is usually narrower than the text
    }
}

void TVantori1::BuildListTree()
{
    static const QIcon list = treeIcon(QStringLiteral("list"), QStringLiteral("listselected"));
    TreeView1->clear();
    for (const QString &name : m_listFiles) {
        auto *node = new QTreeWidgetItem(TreeView1, {name}, ListNode);
        node->setIcon(0, list);
    }
    for (const QString &name : m_listFiles) {
        CurrentListPath = m_listFolder + QLatin1Char('/') + name;
        ReadStockList();
        AddHoldingNodes(name.toLower());
    }
    if (nodeCount() > 0) {
        const int index = FindListNode(CurrentListName.toLower());
        if (index >= 0) {
            QTreeWidgetItem *node = nodeAt(index);
            TreeView1->setCurrentItem(node);
            CurrentListPath = Globals().StockListsPath + QLatin1Char('/') + node->text(0);
            ReadStockList();
        }
    }
}

QStringList TVantori1::holdingTextsOfCurrentList() const
{
    QStringList texts;
    if (nodeCount() == 0)
        return texts;
    for (int k = FindListNode(CurrentListName.toLower()) + 1;; ++k) {
        QTreeWidgetItem *node = nodeAt(k);
        if (!node || node->type() != HoldingNode)
            break;
        texts << node->text(0);
    }
    return texts;
}

void TVantori1::RestoreOldAmounts()
{
    Valuation::RestoreOldAmounts(m_grid, holdingTextsOfCurrentList());
}

bool TVantori1::nodeShowsLoss(const QTreeWidgetItem *node) const
{
    return node && node->data(0, Qt::UserRole).toBool();
}

void TVantori1::TRefreshBtnClick()
{
    static const QIcon loss = treeIcon(QStringLiteral("holdingloss"), QStringLiteral("holdingselected"));
    const ColorValue lossColor = Globals().LossColor;
    QList<QTreeWidgetItem *> nodes; // in index order
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = TreeView1->topLevelItem(i);
        nodes << top;
        for (int c = 0; c < top->childCount(); ++c)
            nodes << top->child(c);
    }
    for (int k = 1; k < nodes.size(); ++k) {
        QTreeWidgetItem *node = nodes[k];
        const QString text = node->text(0);
        const int dash = text.indexOf(QLatin1String(" - "));
        if (node->type() == HoldingNode && dash >= 0) {
            const QString symbol = text.left(dash).toUpper();
            for (int row = 1; row < m_grid.rowCount(); ++row) {
                if (m_grid.cell(0, row).toUpper() == symbol && m_grid.cellColor(7, row) == lossColor) {
                    node->setIcon(0, loss);
                    node->setData(0, Qt::UserRole, true);
                }
            }
        } else {
            node->setExpanded(false);
        }
    }
}

void TVantori1::TreeView1DblClick()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (nodeCount() == 0 || !node || node->type() != ListNode)
        return;
    CurrentListPath = node->text(0);
    CurrentListName = node->text(0);
    TreeListName = node->text(0);
    ReadStockList();
}

void TVantori1::deleteSelectedList()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (nodeCount() == 0 || !node || node->type() != ListNode)
        return;
    const QString name = node->text(0);
    if (!prompts().question(QStringLiteral("Do You want to Delete the Stock List File from the Vantori - ")
                            + name + QStringLiteral("?")))
        return;
    QFile file(resolveListPath(name));
    if (file.exists() && !file.remove()) {
        // Keep the node: the list is still there, and the user must know it is.
        prompts().error(QStringLiteral("The Stock List File %1 could not be deleted: %2")
                            .arg(file.fileName(), file.errorString()));
        return;
    }
    m_listFiles.removeAll(name);
    delete node;
}

bool TVantori1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TreeView1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        handler([this] { deleteSelectedList(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Row and clipboard commands ---------------------------------------------------

void TVantori1::TAddBtnClick()
{
    m_grid.setRowCount(m_grid.rowCount() + 1);
    StringGrid1->focusCell(0, m_grid.rowCount() - 1);
    StringGrid1->setFocus();
    setGridBackground();
}

void TVantori1::TDeleteBtnClick()
{
    if (m_grid.rowCount() < 2)
        return;
    const int r = m_grid.currentRow();
    const int last = m_grid.rowCount() - 1;
    if (r < 1)
        return;
    for (int k = r; k <= last - 1; ++k)
        for (int c = 0; c < 9; ++c)
            m_grid.setCell(c, k, m_grid.cell(c, k + 1));
    m_grid.clearRow(last);
    m_grid.setRowCount(last);
}

void TVantori1::TUpBtnClick()
{
    const int r = m_grid.currentRow();
    if (m_grid.rowCount() < 2 || r <= 1)
        return;
    m_grid.moveRow(r, r - 1);
    StringGrid1->focusCell(m_grid.currentCol(), r - 1);
}

void TVantori1::TDownBtnClick()
{
    const int r = m_grid.currentRow();
    if (m_grid.rowCount() < 2 || r < 1 || r >= m_grid.rowCount() - 1)
        return;
    m_grid.moveRow(r, r + 1);
    StringGrid1->focusCell(m_grid.currentCol(), r + 1);
}

void TVantori1::Copy1Click()
{
    QGuiApplication::clipboard()->setText(m_grid.selectionText());
}

void TVantori1::Cut1Click()
{
    Copy1Click();
    m_grid.setCell(m_grid.currentCol(), m_grid.currentRow(), QString());
}

void TVantori1::Paste1Click()
{
    const QRect pasted = m_grid.pasteText(QGuiApplication::clipboard()->text());
    if (pasted.isValid())
        m_grid.setSelection(pasted);
}

void TVantori1::WindowsCalculator1Click()
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    const bool started = m_services.shell->startCalculator();
    QApplication::restoreOverrideCursor();
    if (!started)
        prompts().error(QStringLiteral("No calculator program was found. Install one of: %1.")
                            .arg(DesktopShell::calculatorCandidates().join(QStringLiteral(", "))));
}

void TVantori1::Exit1Click()
{
    close();
}

void TVantori1::setStatusText(const QString &text)
{
    m_statusLabel->setText(text);
    m_statusLabel->setToolTip(text);
}

QString TVantori1::statusText() const
{
    return m_statusLabel->text();
}

QAction *TVantori1::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}
