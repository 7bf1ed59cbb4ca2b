// The library tree beside the grid: its nodes, opening and deleting lists from it, the
// loss marks of Refresh and the old amounts it remembers.
#include "support/windowfixture.h"

#include <QAction>
#include <QtTest>

class TestListTree : public QObject {
    Q_OBJECT

private slots:
    void nodesOfEveryList();
    void doubleClickOpensAList_data();
    void doubleClickOpensAList();
    void deleteKey_data();
    void deleteKey();
    void deleteKeepsANodeWhoseFileCannotGo();
    void refreshMarksLossesInEveryList();
    void restoreOldAmountsByPosition();

private:
    // One.Stk (2 rows) and Two.Stk (3 rows, the last one empty); One shown.
    TVantori1 &startOnOne(WindowFixture &f);
    QByteArray m_one = WindowFixture::crlf(QList<QByteArray>{
        WindowFixture::line({"ABC", "ABC Industries", "25.50", "100", "27.10", "2,710.00", "2,550.00"}),
        WindowFixture::line({"XYZ", "Xylo Zinc", "8.00", "500", "7.25", "3,625.00", "4,000.00"})});
    QByteArray m_two = WindowFixture::crlf(QList<QByteArray>{
        WindowFixture::line({"xyz", "Xylo Zinc", "9.00", "10", "7.25", "72.50", "90.00"}),
        WindowFixture::line({"QQQ", "Nasdaq Trust", "300.00", "2", "350.00", "700.00", "600.00"}),
        WindowFixture::line({"", "", "", "", "", "", ""})});
};

TVantori1 &TestListTree::startOnOne(WindowFixture &f)
{
    WindowFixture::write(f.listsFolder() + QStringLiteral("/One.Stk"), m_one);
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Two.Stk"), m_two);
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Notes.txt"), "not a list");
    f.writeOptions(WindowFixture::options(QStringLiteral("One.Stk"), f.listsFolder()));
    return f.start();
}

void TestListTree::nodesOfEveryList()
{
    WindowFixture f;
    TVantori1 &w = startOnOne(f);

    QCOMPARE(w.nodeCount(), 7);
    // Price x Ext. Amt. = Old Amt., the old amount being the extended amount of the last save.
    QCOMPARE(f.nodeTexts(), QStringList({"One.Stk",
                                         "ABC - ABC Industries - 27.10 x 2,710.00 = 2,710.00",
                                         "XYZ - Xylo Zinc - 7.25 x 3,625.00 = 3,625.00",
                                         "Two.Stk",
                                         "xyz - Xylo Zinc - 7.25 x 72.50 = 72.50",
                                         "QQQ - Nasdaq Trust - 350.00 x 700.00 = 700.00",
                                         " -  -  x  = "}));
    for (int i : {0, 3})
        QVERIFY(!w.nodeAt(i)->parent());
    for (int i : {1, 2})
        QCOMPARE(w.nodeAt(i)->parent(), w.nodeAt(0));
    for (int i : {4, 5, 6})
        QCOMPARE(w.nodeAt(i)->parent(), w.nodeAt(3));
    QCOMPARE(w.FindListNode(QStringLiteral("two.stk")), 3);
    QCOMPARE(w.FindListNode(QStringLiteral("qqq - nasdaq trust - 350.00 x 700.00 = 700.00")), 5);
    QCOMPARE(w.FindListNode(QStringLiteral("three.stk")), -1);
    // The rebuild read both lists through the grid and came back to the one asked for.
    QCOMPARE(f.symbols(), QStringList({"ABC", "XYZ"}));
    QCOMPARE(w.grid().cell(6, 2), QStringLiteral("3,625.00"));
}

void TestListTree::doubleClickOpensAList_data()
{
    QTest::addColumn<int>("node");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("opened"); // empty: nothing opens

    QTest::newRow("second list") << 3 << QStringList{"xyz", "QQQ", ""} << "Two.Stk";
    QTest::newRow("list shown already") << 0 << QStringList{"ABC", "XYZ"} << "One.Stk";
    QTest::newRow("holding") << 5 << QStringList{"ABC", "XYZ"} << "";
}

void TestListTree::doubleClickOpensAList()
{
    QFETCH(int, node);
    QFETCH(QStringList, shown);
    QFETCH(QString, opened);

    WindowFixture f;
    TVantori1 &w = startOnOne(f);
    // The open dialog went elsewhere just before; the tree's bare names still mean the lists folder.
    WindowFixture::write(f.programFolder() + QStringLiteral("/Two.Stk"), WindowFixture::holdings({"WRONG"}));
    WindowFixture::write(f.programFolder() + QStringLiteral("/Other.Stk"), WindowFixture::holdings({"OTH"}));
    f.prompts.openAnswers << f.programFolder() + QStringLiteral("/Other.Stk");
    w.action(QStringLiteral("TOpenBtn"))->trigger();
    QCOMPARE(f.symbols(), QStringList({"OTH"}));
    const QString caption = w.windowTitle();
    if (opened.isEmpty())
        shown = QStringList{"OTH"};

    QTreeWidgetItem *item = w.nodeAt(node);
    w.TreeView1->scrollToItem(item);
    const QPoint at = w.TreeView1->visualItemRect(item).center();
    // What a window system delivers for a double click: a click, then the double click.
    QTest::mouseClick(w.TreeView1->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(w.TreeView1->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(w.TreeView1->currentItem(), item);

    QCOMPARE(f.symbols(), shown);
    QVERIFY(f.prompts.messages.isEmpty());
    if (opened.isEmpty()) {
        QCOMPARE(w.TreeListName, QString());
        QCOMPARE(w.windowTitle(), caption);
        QCOMPARE(w.CurrentListName, QStringLiteral("One.Stk"));
    } else {
        QCOMPARE(w.TreeListName, opened);
        QCOMPARE(w.CurrentListName, opened);
        QCOMPARE(w.windowTitle(), QStringLiteral("Vantori - ") + opened);
    }
}

void TestListTree::deleteKey_data()
{
    QTest::addColumn<int>("node");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("deleted"); // empty: nothing is deleted

    QTest::newRow("Yes") << 3 << true << "Two.Stk";
    QTest::newRow("No") << 3 << false << "";
    QTest::newRow("list shown, Yes") << 0 << true << "One.Stk";
    QTest::newRow("holding") << 4 << true << "";
}

void TestListTree::deleteKey()
{
    QFETCH(int, node);
    QFETCH(bool, answer);
    QFETCH(QString, deleted);

    WindowFixture f;
    TVantori1 &w = startOnOne(f);
    const QString listName = w.nodeAt(node)->text(0);
    const bool asks = !w.nodeAt(node)->parent();
    const QStringList nodesBefore = f.nodeTexts();
    const QString caption = w.windowTitle();
    f.prompts.questionAnswers << answer;

    w.TreeView1->setCurrentItem(w.nodeAt(node));
    w.TreeView1->setFocus();
    QTest::keyClick(w.TreeView1, Qt::Key_Delete);

    if (asks) {
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].kind, QStringLiteral("question"));
        QCOMPARE(f.prompts.messages[0].text,
                 QStringLiteral("Do You want to Delete the Stock List File from the Vantori - ") + listName
                     + QStringLiteral("?"));
        QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Vantori"));
    } else {
        QVERIFY(f.prompts.messages.isEmpty());
    }

    QStringList files{"Notes.txt", "One.Stk", "Two.Stk"};
    QStringList nodes = nodesBefore;
    if (!deleted.isEmpty()) {
        files.removeAll(deleted);
        const int first = nodes.indexOf(deleted);
        nodes.erase(nodes.begin() + first, nodes.begin() + first + (deleted == QLatin1String("One.Stk") ? 3 : 4));
    }
    QCOMPARE(QDir(f.listsFolder()).entryList(QDir::Files), files);
    QCOMPARE(f.nodeTexts(), nodes);
    // The grid and the list it came from are left as they were.
    QCOMPARE(f.symbols(), QStringList({"ABC", "XYZ"}));
    QCOMPARE(w.CurrentListName, QStringLiteral("One.Stk"));
    QCOMPARE(w.windowTitle(), caption);
}

void TestListTree::deleteKeepsANodeWhoseFileCannotGo()
{
    WindowFixture f;
    TVantori1 &w = startOnOne(f);
    // Two.Stk has turned into a folder with something in it since the tree was built.
    const QString two = f.listsFolder() + QStringLiteral("/Two.Stk");
    QVERIFY(QFile::remove(two));
    QVERIFY(QDir(f.listsFolder()).mkdir(QStringLiteral("Two.Stk")));
    WindowFixture::write(two + QStringLiteral("/inside.txt"), "x");
    const QStringList nodes = f.nodeTexts();
    f.prompts.questionAnswers << true;

    w.TreeView1->setCurrentItem(w.nodeAt(3));
    w.TreeView1->setFocus();
    QTest::keyClick(w.TreeView1, Qt::Key_Delete);

    QCOMPARE(f.prompts.messages.size(), 2);
    QCOMPARE(f.prompts.messages[1].kind, QStringLiteral("error"));
    QCOMPARE(f.prompts.messages[1].caption, QStringLiteral("Error! "));
    QVERIFY2(f.prompts.messages[1].text.startsWith(QStringLiteral("The Stock List File ") + two
                                                   + QStringLiteral(" could not be deleted")),
             qPrintable(f.prompts.messages[1].text));
    QCOMPARE(f.nodeTexts(), nodes);
    QVERIFY(QFileInfo(two + QStringLiteral("/inside.txt")).isFile());
}

void TestListTree::refreshMarksLossesInEveryList()
{
    WindowFixture f;
    TVantori1 &w = startOnOne(f);
    for (int i : {0, 3})
        w.nodeAt(i)->setExpanded(true);
    // XYZ of the shown list fell; ABC shows a gain colour, which is no mark.
    w.grid().setCellColors(7, 2, Globals().LossColor, Globals().LossColorTo, Globals().LossTextColor);
    w.grid().setCellColors(7, 1, Globals().GainColor, Globals().GainColorTo, Globals().GainTextColor);
    w.grid().setCellColors(0, 1, Globals().LossColor, Globals().LossColorTo, Globals().LossTextColor);

    w.action(QStringLiteral("TRefreshBtn"))->trigger();

    QList<bool> marks;
    for (int i = 0; i < w.nodeCount(); ++i)
        marks << w.nodeShowsLoss(w.nodeAt(i));
    // XYZ in One.Stk and xyz in Two.Stk; nothing else.
    QCOMPARE(marks, QList<bool>({false, false, true, false, true, false, false}));
    QVERIFY(w.nodeAt(0)->isExpanded());
    QVERIFY(!w.nodeAt(3)->isExpanded());

    // A mark is never taken away by Refresh, only by a rebuild of the tree.
    w.grid().setCellColors(7, 2, Globals().GainColor, Globals().GainColorTo, Globals().GainTextColor);
    w.action(QStringLiteral("TRefreshBtn"))->trigger();
    QVERIFY(w.nodeShowsLoss(w.nodeAt(2)));
    QVERIFY(w.nodeShowsLoss(w.nodeAt(4)));
}

void TestListTree::restoreOldAmountsByPosition()
{
    WindowFixture f;
    TVantori1 &w = startOnOne(f);
    // The user adds a row and moves it above XYZ.
    w.action(QStringLiteral("TAddBtn"))->trigger();
    w.grid().setCell(0, 3, QStringLiteral("NEW"));
    w.action(QStringLiteral("TUpBtn"))->trigger();
    QCOMPARE(f.symbols(), QStringList({"ABC", "NEW", "XYZ"}));
    for (int r = 1; r <= 3; ++r)
        w.grid().setCell(6, r, QStringLiteral("typed"));

    w.RestoreOldAmounts();

    // Matched by position, not by symbol: the new row takes XYZ's amount.
    QCOMPARE(w.grid().cell(6, 1), QStringLiteral("2,710.00"));
    QCOMPARE(w.grid().cell(6, 2), QStringLiteral("3,625.00"));
    QCOMPARE(w.grid().cell(6, 3), QStringLiteral("typed"));
}

QTEST_MAIN(TestListTree)
#include "tst_listtree.moc"
