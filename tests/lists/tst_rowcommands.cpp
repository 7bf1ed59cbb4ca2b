// Row commands, clipboard and column widths of the holdings grid in the main window,
// and the calculator of its Tools menu.
#include "support/windowfixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QtTest>

class TestRowCommands : public QObject {
    Q_OBJECT

private slots:
    void addRow_data();
    void addRow();
    void deleteRow_data();
    void deleteRow();
    void deleteTheOnlyRowThenAdd();
    void moveRows_data();
    void moveRows();
    void cutCopiesTheRangeAndEmptiesTheCurrentCell();
    void copyThenPaste();
    void pasteDropsCellsOutsideTheGrid();
    void clipboardKeysWorkFromTheTree();
    void columnWidthsComeBack();
    void calculator_data();
    void calculator();

private:
    // A list of the given symbols, shown at start-up; Difference and Percent of row r
    // hold "d<r>" and "p<r>" so that whole rows can be followed.
    TVantori1 &startWith(WindowFixture &f, const QStringList &symbols);
    // Clicks cell (col, row) of the grid as the user would; shift extends the selection.
    static void clickCell(TVantori1 &w, int col, int row, Qt::KeyboardModifiers mods = Qt::NoModifier);
    static QStringList rowOf(TVantori1 &w, int row) { return w.grid().rowTexts(row); }
};

TVantori1 &TestRowCommands::startWith(WindowFixture &f, const QStringList &symbols)
{
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Rows.Stk"), WindowFixture::holdings(symbols));
    f.writeOptions(WindowFixture::options(QStringLiteral("Rows.Stk"), f.listsFolder()));
    TVantori1 &w = f.start();
    for (int r = 1; r < w.grid().rowCount(); ++r) {
        w.grid().setCell(7, r, QStringLiteral("d%1").arg(r));
        w.grid().setCell(8, r, QStringLiteral("p%1").arg(r));
    }
    return w;
}

void TestRowCommands::clickCell(TVantori1 &w, int col, int row, Qt::KeyboardModifiers mods)
{
    const QModelIndex i = w.StringGrid1->model()->index(row - 1, col);
    w.StringGrid1->scrollTo(i);
    QTest::mouseClick(w.StringGrid1->viewport(), Qt::LeftButton, mods, w.StringGrid1->visualRect(i).center());
}

void TestRowCommands::addRow_data()
{
    QTest::addColumn<QStringList>("symbols");

    QTest::newRow("list of three") << QStringList{"AAA", "BBB", "CCC"};
    QTest::newRow("list of one") << QStringList{"AAA"};
}

void TestRowCommands::addRow()
{
    QFETCH(QStringList, symbols);

    WindowFixture f;
    TVantori1 &w = startWith(f, symbols);
    clickCell(w, 3, 1);

    w.action(QStringLiteral("TAddBtn"))->trigger();

    const int last = symbols.size() + 1;
    QCOMPARE(w.grid().rowCount(), last + 1);
    QCOMPARE(rowOf(w, last), QStringList(9, QString()));
    QCOMPARE(f.symbols().mid(0, symbols.size()), symbols);
    QCOMPARE(w.grid().currentCol(), 0);
    QCOMPARE(w.grid().currentRow(), last);
    QCOMPARE(w.StringGrid1->currentIndex(), w.StringGrid1->model()->index(last - 1, 0));
    QCOMPARE(w.focusWidget(), static_cast<QWidget *>(w.StringGrid1));
}

void TestRowCommands::deleteRow_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("second of four") << 2 << QStringList{"AAA", "CCC", "DDD"};
    QTest::newRow("first") << 1 << QStringList{"BBB", "CCC", "DDD"};
    QTest::newRow("last") << 4 << QStringList{"AAA", "BBB", "CCC"};
}

void TestRowCommands::deleteRow()
{
    QFETCH(int, current);
    QFETCH(QStringList, left);

    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA", "BBB", "CCC", "DDD"});
    QMap<QString, QStringList> rows;
    for (int r = 1; r <= 4; ++r)
        rows[w.grid().cell(0, r)] = rowOf(w, r);
    const QByteArray file = WindowFixture::read(f.listsFolder() + QStringLiteral("/Rows.Stk"));
    const ColorValue marked = Globals().LossColor;
    w.grid().setCellColors(7, 3, marked, marked, marked);
    clickCell(w, 2, current);

    w.action(QStringLiteral("TDeleteBtn"))->trigger();

    QCOMPARE(w.grid().rowCount(), 4);
    for (int r = 1; r <= 3; ++r)
        QCOMPARE(rowOf(w, r), rows[left[r - 1]]);
    // The texts move up, the colours stay where they were.
    QCOMPARE(w.grid().cellColor(7, 3), marked);
    QVERIFY(w.grid().cellColor(7, 2) != marked);
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Rows.Stk")), file);
}

void TestRowCommands::deleteTheOnlyRowThenAdd()
{
    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA"});
    clickCell(w, 0, 1);

    w.action(QStringLiteral("TDeleteBtn"))->trigger();
    QCOMPARE(w.grid().rowCount(), 1);
    QCOMPARE(w.grid().cell(0, 0), QStringLiteral("Symbol"));

    // Nothing left to delete, and the heading row stays.
    w.action(QStringLiteral("TDeleteBtn"))->trigger();
    QCOMPARE(w.grid().rowCount(), 1);
    QCOMPARE(w.grid().cell(0, 0), QStringLiteral("Symbol"));

    w.action(QStringLiteral("TAddBtn"))->trigger();
    QCOMPARE(w.grid().rowCount(), 2);
    QCOMPARE(rowOf(w, 1), QStringList(9, QString()));
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestRowCommands::moveRows_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("moves"); // U up, D down
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("current");

    const QStringList same{"AAA", "BBB", "CCC", "DDD"};
    QTest::newRow("down once") << 2 << "D" << QStringList{"AAA", "CCC", "BBB", "DDD"} << 3;
    QTest::newRow("down twice") << 2 << "DD" << QStringList{"AAA", "CCC", "DDD", "BBB"} << 4;
    QTest::newRow("down three times") << 2 << "DDD" << QStringList{"AAA", "CCC", "DDD", "BBB"} << 4;
    QTest::newRow("up from the first") << 1 << "U" << same << 1;
    QTest::newRow("up twice from the last") << 4 << "UU" << QStringList{"AAA", "DDD", "BBB", "CCC"} << 2;
    QTest::newRow("down from the last") << 4 << "D" << same << 4;
    QTest::newRow("up then down") << 3 << "UD" << same << 3;
}

void TestRowCommands::moveRows()
{
    QFETCH(int, start);
    QFETCH(QString, moves);
    QFETCH(QStringList, order);
    QFETCH(int, current);

    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA", "BBB", "CCC", "DDD"});
    QMap<QString, QStringList> rows;
    for (int r = 1; r <= 4; ++r)
        rows[w.grid().cell(0, r)] = rowOf(w, r);
    const QString moved = w.grid().cell(0, start);
    const ColorValue marked = Globals().LossColor;
    w.grid().setCellColors(7, start, marked, marked, marked);
    clickCell(w, 1, start);

    for (QChar m : moves)
        w.action(m == QLatin1Char('U') ? QStringLiteral("TUpBtn") : QStringLiteral("TDownBtn"))->trigger();

    QCOMPARE(f.symbols(), order);
    for (int r = 1; r <= 4; ++r)
        QCOMPARE(rowOf(w, r), rows[order[r - 1]]);
    QCOMPARE(w.grid().cell(0, 0), QStringLiteral("Symbol"));
    // The moved holding stays selected and takes its colours along.
    QCOMPARE(w.grid().currentRow(), current);
    QCOMPARE(w.grid().cell(0, current), moved);
    QCOMPARE(w.StringGrid1->currentIndex(), w.StringGrid1->model()->index(current - 1, 1));
    QCOMPARE(w.grid().cellColor(7, current), marked);
}

void TestRowCommands::cutCopiesTheRangeAndEmptiesTheCurrentCell()
{
    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA", "BBB", "CCC"});
    QGuiApplication::clipboard()->clear();
    clickCell(w, 0, 1);
    clickCell(w, 1, 2, Qt::ShiftModifier); // the range (0,1)-(1,2); (1,2) is current

    w.action(QStringLiteral("Cut1"))->trigger();

    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("AAA\tAAA Corp\nBBB\tBBB Corp\n"));
    QCOMPARE(w.grid().cell(0, 1), QStringLiteral("AAA"));
    QCOMPARE(w.grid().cell(1, 1), QStringLiteral("AAA Corp"));
    QCOMPARE(w.grid().cell(0, 2), QStringLiteral("BBB"));
    QCOMPARE(w.grid().cell(1, 2), QString());
    QCOMPARE(w.grid().cell(1, 3), QStringLiteral("CCC Corp"));
}

void TestRowCommands::copyThenPaste()
{
    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA", "BBB", "CCC", "DDD"});
    clickCell(w, 2, 1);
    clickCell(w, 3, 2, Qt::ShiftModifier);
    const QStringList before{rowOf(w, 1).join(QLatin1Char('|')), rowOf(w, 2).join(QLatin1Char('|'))};

    w.action(QStringLiteral("Copy1"))->trigger();

    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10.00\t1\n20.00\t2\n"));
    QCOMPARE(QStringList({rowOf(w, 1).join(QLatin1Char('|')), rowOf(w, 2).join(QLatin1Char('|'))}), before);

    clickCell(w, 2, 3);
    w.action(QStringLiteral("Paste1"))->trigger();

    QCOMPARE(rowOf(w, 3).mid(0, 5), QStringList({"CCC", "CCC Corp", "10.00", "1", "30.50"}));
    QCOMPARE(rowOf(w, 4).mid(0, 5), QStringList({"DDD", "DDD Corp", "20.00", "2", "40.50"}));
    QCOMPARE(w.grid().selection(), QRect(QPoint(2, 3), QPoint(3, 4)));
    QCOMPARE(w.grid().rowCount(), 5);
}

void TestRowCommands::pasteDropsCellsOutsideTheGrid()
{
    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA", "BBB"});
    // Text from another program, with Windows line ends.
    QGuiApplication::clipboard()->setText(QStringLiteral("x1\ty1\tz1\r\nx2\ty2\tz2\r\nx3\ty3\tz3\r\n"));
    clickCell(w, 7, 2);

    w.action(QStringLiteral("Paste1"))->trigger();

    QCOMPARE(w.grid().cell(7, 2), QStringLiteral("x1"));
    QCOMPARE(w.grid().cell(8, 2), QStringLiteral("y1"));
    QCOMPARE(w.grid().rowCount(), 3);
    QCOMPARE(w.grid().colCount(), 9);
    QCOMPARE(rowOf(w, 1)[7], QStringLiteral("d1"));
    // Nothing waits past the last row to show up when a row is added.
    w.action(QStringLiteral("TAddBtn"))->trigger();
    QCOMPARE(rowOf(w, 3), QStringList(9, QString()));
}

void TestRowCommands::clipboardKeysWorkFromTheTree()
{
    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA", "BBB"});
    QGuiApplication::clipboard()->clear();
    clickCell(w, 1, 2);
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.windowHandle()));
    w.TreeView1->setFocus();
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.TreeView1));

    QTest::keyClick(w.TreeView1, Qt::Key_X, Qt::ControlModifier);

    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("BBB Corp\n"));
    QCOMPARE(w.grid().cell(1, 2), QString());

    clickCell(w, 1, 1);
    w.TreeView1->setFocus();
    QTest::keyClick(w.TreeView1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.grid().cell(1, 1), QStringLiteral("BBB Corp"));
}

void TestRowCommands::columnWidthsComeBack()
{
    WindowFixture f;
    TVantori1 &first = startWith(f, {"AAA"});
    QHeaderView *header = first.StringGrid1->horizontalHeader();
    QList<int> widths;
    for (int c = 1; c < 9; ++c) {
        header->resizeSection(c, 50 + 9 * c);
        widths << 50 + 9 * c;
    }
    f.window.reset();

    // Kept in the store the test pointed the settings at, not in the user's home.
    QSettings store(f.settingsFolder() + QStringLiteral("/Vantori Column Size.ini"), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("ColSize.ini"));
    for (int c = 1; c < 9; ++c)
        QCOMPARE(store.value(QStringLiteral("Col%1").arg(c)).toInt(), widths[c - 1]);
    QVERIFY(store.contains(QStringLiteral("Col0")));

    Globals() = TGlobals{};
    TVantori1 &again = f.start();
    QList<int> restored;
    for (int c = 1; c < 9; ++c)
        restored << again.StringGrid1->columnWidth(c);
    QCOMPARE(restored, widths);
}

void TestRowCommands::calculator_data()
{
    QTest::addColumn<bool>("installed");

    QTest::newRow("installed") << true;
    QTest::newRow("missing") << false;
}

void TestRowCommands::calculator()
{
    QFETCH(bool, installed);

    WindowFixture f;
    TVantori1 &w = startWith(f, {"AAA"});
    f.shell.calculatorAvailable = installed;

    w.action(QStringLiteral("WindowsCalculator1"))->trigger();

    QCOMPARE(f.shell.calculatorStarts, 1);
    QVERIFY(!QApplication::overrideCursor());
    if (installed) {
        QVERIFY(f.prompts.messages.isEmpty());
    } else {
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Error! "));
        QVERIFY2(f.prompts.messages[0].text.startsWith(QStringLiteral("No calculator program was found.")),
                 qPrintable(f.prompts.messages[0].text));
    }
}

QTEST_MAIN(TestRowCommands)
#include "tst_rowcommands.moc"
