// Menus and tool bar of the main window.
#include "lists/vantori.h"

#include "platform/gridview.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QIcon icon(const char *name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

void TVantori1::buildActions()
{
    struct Command {
        const char *name;
        const char *text;
        const char *iconName;
        QKeySequence shortcut;
        const char *hint;
        void (TVantori1::*run)();
    };
    // Commands whose windows are still to come stay in place, disabled (run == nullptr).
    const Command commands[] = {
        // File menu
        {"OpenStockList1", "Open Stock List", "open", QKeySequence(Qt::CTRL | Qt::Key_O), nullptr, &TVantori1::TOpenBtnClick},
        {"AddStocksorFundstoAccount1", "Save Stock List", "save", QKeySequence(Qt::CTRL | Qt::Key_S), nullptr, &TVantori1::TSaveBtnClick},
        {"CreateNewStockList1", "Create New Stock List", "new", QKeySequence(Qt::CTRL | Qt::Key_N), nullptr, &TVantori1::TNewBtnClick},
        {"MergeStockLists1", "Merge Stock Lists", "merge", QKeySequence(Qt::CTRL | Qt::Key_M), nullptr, nullptr},
        {"Exit1", "Exit", "exit", QKeySequence(Qt::Key_F12), nullptr, &TVantori1::Exit1Click},
        // Edit menu
        {"Cut1", "Cut", "cut", QKeySequence(Qt::CTRL | Qt::Key_X), nullptr, &TVantori1::Cut1Click},
        {"Copy1", "&Copy", "copy", QKeySequence(Qt::CTRL | Qt::Key_C), nullptr, &TVantori1::Copy1Click},
        {"Paste1", "&Paste", "paste", QKeySequence(Qt::CTRL | Qt::Key_V), nullptr, &TVantori1::Paste1Click},
        // Graphs, Report, Tools, Help menus
        {"PieChartDistribution1", "Pie Chart Distribution", "piechart", QKeySequence(), nullptr, nullptr},
        {"ProfitLossHistogram1", "Profit / Loss Histogram", "histogram", QKeySequence(), nullptr, nullptr},
        {"PrintcurrentStockList1", "Print Current Stock List", "printlist", QKeySequence(Qt::CTRL | Qt::Key_P), nullptr, nullptr},
        {"PrintDollarCostAverages1", "Print Dollar Cost Averages", "printavg", QKeySequence(Qt::CTRL | Qt::Key_R), nullptr, nullptr},
        {"SetColors1", "Set Colors", "colors", QKeySequence(), nullptr, nullptr},
        {"SetOptions1", "Set Options", "options", QKeySequence(), nullptr, nullptr},
        {"WindowsCalculator1", "Windows Calculator", "calculator", QKeySequence(), nullptr, &TVantori1::WindowsCalculator1Click},
        {"HelpTableofContents1", "Help Table of Contents", "help", QKeySequence(Qt::Key_F1), nullptr, nullptr},
        {"QuickTips1", "Quick Tips", nullptr, QKeySequence(), nullptr, nullptr},
        {"AboutVantori1", "About Vantori", "about", QKeySequence(), nullptr, nullptr},
        // Tool bar
        {"TOpenBtn", "Open", "open", QKeySequence(), "Open Stock List", &TVantori1::TOpenBtnClick},
        {"TRefreshBtn", "Refresh", "refresh", QKeySequence(), nullptr, &TVantori1::TRefreshBtnClick},
        {"TNewBtn", "New", "new", QKeySequence(), "Create New Stock List", &TVantori1::TNewBtnClick},
        {"TSaveBtn", "Save", "save", QKeySequence(), "Save Stock List", &TVantori1::TSaveBtnClick},
        {"TAddBtn", "Add Row", "addrow", QKeySequence(), "Add Row to Grid", &TVantori1::TAddBtnClick},
        {"TDeleteBtn", "Delete Row", "deleterow", QKeySequence(), "Delete Row From Grid", &TVantori1::TDeleteBtnClick},
        {"TRunBtn", "Get Quotes", "getquotes", QKeySequence(Qt::Key_F5), nullptr, &TVantori1::TRunBtnClick},
        {"TPrintBtn", "Print", "print", QKeySequence(), "Print current Stock List", nullptr},
        {"TMergeBtn", "Merge", "merge", QKeySequence(), "Merge Stock Lists", nullptr},
        {"TUpBtn", "Move Up", "up", QKeySequence(), "Move Highlighted Stock Up one", &TVantori1::TUpBtnClick},
        {"TDownBtn", "Move Down", "down", QKeySequence(), "Move Highlighted Stock Down one", &TVantori1::TDownBtnClick},
        {"TCalcBtn", "Recalculate (Last Save)", "calc", QKeySequence(), "Recalculate Totals using  Last Save Difference", &TVantori1::TCalcBtnClick},
        {"TCalcBtn2", "Recalculate (Cost)", "calc2", QKeySequence(), "Recalculate Totals using Average Price Difference", &TVantori1::TCalcBtn2Click},
        {"THelpBtn", "Help", "help", QKeySequence(), "Help with Stock List", nullptr},
    };
    for (const Command &s : commands) {
        auto *a = new QAction(QString::fromLatin1(s.text), this);
        a->setObjectName(QString::fromLatin1(s.name));
        if (s.iconName)
            a->setIcon(icon(s.iconName));
        if (!s.shortcut.isEmpty()) {
            a->setShortcut(s.shortcut);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        const QString hint = s.hint ? QString::fromLatin1(s.hint) : QString();
        a->setToolTip(hint.isEmpty() ? a->text().remove(QLatin1Char('&')) : hint);
        a->setStatusTip(hint);
        if (s.run) {
            const auto run = s.run;
            connect(a, &QAction::triggered, this, [this, run] { handler([this, run] { (this->*run)(); }); });
        } else {
            a->setEnabled(false);
        }
        addAction(a);
    }
}

void TVantori1::buildMenus()
{
    auto add = [this](QMenu *menu, const char *name) { menu->addAction(action(QString::fromLatin1(name))); };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    add(file, "OpenStockList1");
    add(file, "AddStocksorFundstoAccount1");
    add(file, "CreateNewStockList1");
    add(file, "MergeStockLists1");
    file->addSeparator()->setObjectName(QStringLiteral("N2"));
    add(file, "Exit1");

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    add(edit, "Cut1");
    add(edit, "Copy1");
    add(edit, "Paste1");

    QMenu *graphs = menuBar()->addMenu(QStringLiteral("&Graphs"));
    add(graphs, "PieChartDistribution1");
    add(graphs, "ProfitLossHistogram1");

    QMenu *report = menuBar()->addMenu(QStringLiteral("&Report"));
    add(report, "PrintcurrentStockList1");
    add(report, "PrintDollarCostAverages1");

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    add(tools, "SetColors1");
    add(tools, "SetOptions1");
    tools->addSeparator()->setObjectName(QStringLiteral("N3"));
    add(tools, "WindowsCalculator1");

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    add(help, "HelpTableofContents1");
    add(help, "QuickTips1");
    help->addSeparator()->setObjectName(QStringLiteral("N1"));
    add(help, "AboutVantori1");
}

void TVantori1::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("Tool Bar"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);

    auto add = [this, bar](const char *name, bool iconOnly = false) {
        QAction *a = action(QString::fromLatin1(name));
        bar->addAction(a);
        if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(a))) {
            button->setObjectName(QString::fromLatin1(name));
            button->setAccessibleName(a->toolTip());
            if (iconOnly)
                button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
    };
    add("TOpenBtn");
    add("TRefreshBtn");
    add("TNewBtn");
    add("TSaveBtn");
    bar->addSeparator();
    add("TAddBtn");
    add("TDeleteBtn");
    bar->addSeparator();
    add("TRunBtn");
    add("TPrintBtn");
    add("TMergeBtn");
    bar->addSeparator();

    Label1 = new QLabel(QStringLiteral(" Total: 0.00"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Total"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setMinimumWidth(130);
    Label1->setContentsMargins(4, 0, 8, 0);
    bar->addWidget(Label1);
    Label2 = new QLabel(QStringLiteral("0.00"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAccessibleName(QStringLiteral("Change"));
    Label2->setMinimumWidth(64);
    Label2->setContentsMargins(0, 0, 8, 0);
    // A label hidden inside a tool bar must be hidden through its action.
    m_label2Action = bar->addWidget(Label2);
    m_label2Action->setObjectName(QStringLiteral("Label2Action"));
    m_label2Action->setVisible(false);
    bar->addSeparator();
    add("TUpBtn", true);
    add("TDownBtn", true);
    bar->addSeparator();
    add("TCalcBtn", true);
    add("TCalcBtn2", true);
    bar->addSeparator();
    add("THelpBtn");
}

void TVantori1::showChange(bool visible)
{
    m_label2Action->setVisible(visible);
}

bool TVantori1::changeShown() const
{
    return m_label2Action->isVisible();
}
