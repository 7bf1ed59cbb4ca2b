// Save, Open and New of the main window, seen from the files they leave and what the
// window shows after them.
#include "support/windowfixture.h"

#include <QAction>
#include <QLabel>
#include <QtTest>

class TestListCommands : public QObject {
    Q_OBJECT

private slots:
    void saveWritesTheGridAndShowsTheSavedList_data();
    void saveWritesTheGridAndShowsTheSavedList();
    void windows1252ListSavesBackAsUtf8();
    void duplicateSymbolsRefuseTheSave_data();
    void duplicateSymbolsRefuseTheSave();
    void cancelledSaveChangesNothing();
    void failedSaveKeepsEveryFile();
    void open_data();
    void open();
    void newDoesNothingBeforeStartUp();
    void newThenSaveUnderANewName();

private:
    // Alpha.Stk (AAA, ABB) and Beta.Stk (BBB) in the lists folder, Alpha shown.
    TVantori1 &startOnAlpha(WindowFixture &f);
    QByteArray m_alpha = WindowFixture::holdings({"AAA", "ABB"});
    QByteArray m_beta = WindowFixture::holdings({"BBB"});
};

TVantori1 &TestListCommands::startOnAlpha(WindowFixture &f)
{
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Alpha.Stk"), m_alpha);
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Beta.Stk"), m_beta);
    f.writeOptions(WindowFixture::options(QStringLiteral("Alpha.Stk"), f.listsFolder()));
    return f.start();
}

void TestListCommands::saveWritesTheGridAndShowsTheSavedList_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target"); // "L/" the lists folder, "P/" the program folder
    QTest::addColumn<QStringList>("nodes");
    QTest::addColumn<int>("selectedNode");

    const QString h1 = QStringLiteral("AAA - Edited Name - 10.50 x 100.00 = 100.00");
    const QString h2 = QStringLiteral("ABB - ABB Corp - 20.50 x 200.00 = 200.00");
    const QString b1 = QStringLiteral("BBB - BBB Corp - 10.50 x 100.00 = 100.00");
    const QString o1 = QStringLiteral("AAA - AAA Corp - 10.50 x 100.00 = 100.00");
    QTest::newRow("over itself") << "TSaveBtn" << "L/Alpha.Stk"
                                 << QStringList{"Alpha.Stk", h1, h2, "Beta.Stk", b1} << 0;
    QTest::newRow("new name in the lists folder, from the menu")
        << "AddStocksorFundstoAccount1" << "L/Gamma.Stk"
        << QStringList{"Alpha.Stk", o1, h2, "Beta.Stk", b1, "Gamma.Stk", h1, h2} << 5;
    QTest::newRow("another folder") << "TSaveBtn" << "P/Elsewhere.Stk"
                                    << QStringList{"Alpha.Stk", o1, h2, "Beta.Stk", b1} << -1;
}

void TestListCommands::saveWritesTheGridAndShowsTheSavedList()
{
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(QStringList, nodes);
    QFETCH(int, selectedNode);

    WindowFixture f;
    TVantori1 &w = startOnAlpha(f);
    const QString path = (target.startsWith(QLatin1String("L/")) ? f.listsFolder() : f.programFolder())
                       + target.mid(1);
    w.grid().setCell(1, 1, QStringLiteral("Edited Name"));
    f.prompts.saveAnswers << path;

    w.action(command)->trigger();

    QCOMPARE(f.prompts.errorTexts(), QStringList());
    QCOMPARE(f.prompts.fileDialogs.size(), 1);
    QCOMPARE(f.prompts.fileDialogs[0].folder, f.listsFolder());
    QCOMPARE(f.prompts.fileDialogs[0].fileName, f.listsFolder() + QStringLiteral("/Alpha.Stk"));
    QCOMPARE(f.prompts.fileDialogs[0].filter, QStringLiteral("Stock Files (*.Stk)"));
    // Old Amt. holds the amount read, the extended amount of the last save.
    QCOMPARE(WindowFixture::read(path),
             QByteArray("AAA|@|Edited Name|@|10.00|@|1|@|10.50|@|100.00|@|100.00|@|\r\n"
                        "ABB|@|ABB Corp|@|20.00|@|2|@|20.50|@|200.00|@|200.00|@|\r\n"));
    if (!target.endsWith(QLatin1String("Alpha.Stk")))
        QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Alpha.Stk")), m_alpha);
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Beta.Stk")), m_beta);

    // The grid goes on showing the list just saved, whichever folder it went to.
    QCOMPARE(f.symbols(), QStringList({"AAA", "ABB"}));
    QCOMPARE(w.grid().cell(1, 1), QStringLiteral("Edited Name"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Vantori - ") + path);
    QCOMPARE(w.CurrentListPath, path);
    QCOMPARE(w.CurrentListName, QFileInfo(path).fileName());
    QCOMPARE(Globals().StockListsPath, f.listsFolder());
    QCOMPARE(f.nodeTexts(), nodes);
    QCOMPARE(f.selectedNode(), selectedNode);
    if (selectedNode >= 0)
        QVERIFY(w.nodeAt(selectedNode)->isExpanded());
}

void TestListCommands::windows1252ListSavesBackAsUtf8()
{
    WindowFixture f;
    const QByteArray windows = "NESN|@|Nestl\xe9 S.A.|@|98.40|@|50|@|101.20|@|5,060.00|@|4,920.00|@|\r\n"
                               "OR|@|L\x92Or\xe9" "al \x96 Cosm\xe9tiques|@|380.00|@|12|@|402.50|@|4,830.00|@|4,560.00|@|\r\n";
    const QString path = f.listsFolder() + QStringLiteral("/Europe.Stk");
    WindowFixture::write(path, windows);
    f.writeOptions(WindowFixture::options(QStringLiteral("Europe.Stk"), f.listsFolder()));
    TVantori1 &w = f.start();

    QCOMPARE(w.grid().cell(1, 1), QStringLiteral("Nestl\u00e9 S.A."));
    QCOMPARE(w.grid().cell(1, 2), QStringLiteral("L\u2019Or\u00e9al \u2013 Cosm\u00e9tiques"));
    QCOMPARE(f.nodeTexts()[2], QStringLiteral("OR - L\u2019Or\u00e9al \u2013 Cosm\u00e9tiques - 402.50 x 4,830.00 = 4,830.00"));

    f.prompts.saveAnswers << path;
    w.action(QStringLiteral("TSaveBtn"))->trigger();

    QCOMPARE(f.prompts.errorTexts(), QStringList());
    QCOMPARE(WindowFixture::read(path),
             QStringLiteral("NESN|@|Nestl\u00e9 S.A.|@|98.40|@|50|@|101.20|@|5,060.00|@|5,060.00|@|\r\n"
                            "OR|@|L\u2019Or\u00e9al \u2013 Cosm\u00e9tiques|@|380.00|@|12|@|402.50|@|4,830.00|@|4,830.00|@|\r\n")
                 .toUtf8());
    QCOMPARE(w.grid().cell(1, 2), QStringLiteral("L\u2019Or\u00e9al \u2013 Cosm\u00e9tiques"));
}

void TestListCommands::duplicateSymbolsRefuseTheSave_data()
{
    QTest::addColumn<QStringList>("symbols");
    QTest::addColumn<QString>("named");
    QTest::addColumn<int>("row");

    QTest::newRow("letter case differs") << QStringList{"ABC", "abc"} << "ABC" << 1;
    QTest::newRow("first repeated symbol from the top") << QStringList{"XYZ", "ABC", "DEF", "aBc", "DEF"} << "ABC" << 2;
    QTest::newRow("two empty rows") << QStringList{"KEEP", "", ""} << "" << 2;
}

void TestListCommands::duplicateSymbolsRefuseTheSave()
{
    QFETCH(QStringList, symbols);
    QFETCH(QString, named);
    QFETCH(int, row);

    WindowFixture f;
    TVantori1 &w = startOnAlpha(f);
    const QString caption = w.windowTitle();
    w.grid().setRowCount(symbols.size() + 1);
    for (int r = 1; r <= symbols.size(); ++r)
        w.grid().setCell(0, r, symbols[r - 1]);
    w.StringGrid1->focusCell(3, symbols.size());

    w.action(QStringLiteral("TSaveBtn"))->trigger();

    QCOMPARE(f.prompts.messages.size(), 1);
    QCOMPARE(f.prompts.messages[0].kind, QStringLiteral("error"));
    QCOMPARE(f.prompts.messages[0].text, QStringLiteral("You cannot have Duplicate Stock or Fund Symbols - ") + named
                                             + QStringLiteral(" Please Add Cells Together as one."));
    QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Error! "));
    QVERIFY(f.prompts.fileDialogs.isEmpty());
    QCOMPARE(w.grid().currentCol(), 0);
    QCOMPARE(w.grid().currentRow(), row);
    QCOMPARE(w.StringGrid1->currentIndex(), w.StringGrid1->model()->index(row - 1, 0));
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Alpha.Stk")), m_alpha);
    QCOMPARE(QDir(f.listsFolder()).entryList(QDir::Files), QStringList({"Alpha.Stk", "Beta.Stk"}));
    QCOMPARE(w.CurrentListName, QStringLiteral("Alpha.Stk"));
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(f.symbols(), symbols);
}

void TestListCommands::cancelledSaveChangesNothing()
{
    WindowFixture f;
    TVantori1 &w = startOnAlpha(f);
    w.grid().setCell(0, 2, QStringLiteral("NEW"));
    const QString path = w.CurrentListPath;
    const QString caption = w.windowTitle();
    const QStringList nodes = f.nodeTexts();
    f.prompts.saveAnswers << QString();

    w.action(QStringLiteral("TSaveBtn"))->trigger();

    QCOMPARE(f.prompts.fileDialogs.size(), 1);
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Alpha.Stk")), m_alpha);
    QCOMPARE(QDir(f.listsFolder()).entryList(QDir::Files), QStringList({"Alpha.Stk", "Beta.Stk"}));
    QCOMPARE(f.symbols(), QStringList({"AAA", "NEW"}));
    QCOMPARE(w.CurrentListPath, path);
    QCOMPARE(w.CurrentListName, QStringLiteral("Alpha.Stk"));
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(f.nodeTexts(), nodes);
}

void TestListCommands::failedSaveKeepsEveryFile()
{
    WindowFixture f;
    TVantori1 &w = startOnAlpha(f);
    // A folder that is a regular file cannot hold a list, whoever runs the test.
    const QByteArray notes = "not a folder\r\n";
    WindowFixture::write(f.listsFolder() + QStringLiteral("/Notes.txt"), notes);
    const QString path = f.listsFolder() + QStringLiteral("/Notes.txt/Alpha.Stk");
    w.grid().setCell(0, 2, QStringLiteral("NEW"));
    const QString caption = w.windowTitle();
    const QStringList nodes = f.nodeTexts();
    f.prompts.saveAnswers << path;

    w.action(QStringLiteral("TSaveBtn"))->trigger();

    QCOMPARE(f.prompts.messages.size(), 1);
    QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Error! "));
    QVERIFY2(f.prompts.messages[0].text.startsWith(QStringLiteral("Cannot write \"") + path + QStringLiteral("\": ")),
             qPrintable(f.prompts.messages[0].text));
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Alpha.Stk")), m_alpha);
    QCOMPARE(WindowFixture::read(f.listsFolder() + QStringLiteral("/Notes.txt")), notes);
    QCOMPARE(QDir(f.listsFolder()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"Alpha.Stk", "Beta.Stk", "Notes.txt"}));
    // What the user typed is still on the screen, under the list's old name.
    QCOMPARE(f.symbols(), QStringList({"AAA", "NEW"}));
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(w.CurrentListName, QStringLiteral("Alpha.Stk"));
    QCOMPARE(f.nodeTexts(), nodes);
}

void TestListCommands::open_data()
{
    QTest::addColumn<QString>("answer"); // "L/" the lists folder, "P/" the program folder, "" cancels
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<bool>("read");

    QTest::newRow("list of the folder") << "L/Beta.Stk" << QStringList{"BBB"} << true;
    QTest::newRow("list of another folder") << "P/Other.Stk" << QStringList{"OTH", "ER"} << true;
    QTest::newRow("cancel") << "" << QStringList{"AAA", "ABB"} << false;
}

void TestListCommands::open()
{
    QFETCH(QString, answer);
    QFETCH(QStringList, shown);
    QFETCH(bool, read);

    WindowFixture f;
    WindowFixture::write(f.programFolder() + QStringLiteral("/Other.Stk"), WindowFixture::holdings({"OTH", "ER"}));
    TVantori1 &w = startOnAlpha(f);
    const QString before = w.windowTitle();
    QString path;
    if (!answer.isEmpty())
        path = (answer.startsWith(QLatin1String("L/")) ? f.listsFolder() : f.programFolder()) + answer.mid(1);
    f.prompts.openAnswers << path;

    w.action(QStringLiteral("OpenStockList1"))->trigger();

    QCOMPARE(f.prompts.fileDialogs.size(), 1);
    QCOMPARE(f.prompts.fileDialogs[0].folder, f.listsFolder());
    QCOMPARE(f.prompts.fileDialogs[0].fileName, f.listsFolder() + QStringLiteral("/Alpha.Stk"));
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(f.symbols(), shown);
    QCOMPARE(w.windowTitle(), read ? QStringLiteral("Vantori - ") + path : before);
    QCOMPARE(w.CurrentListName, QStringLiteral("Alpha.Stk"));
    QCOMPARE(f.selectedNode(), 0);
}

void TestListCommands::newDoesNothingBeforeStartUp()
{
    WindowFixture f;
    TVantori1 &w = f.create();
    w.grid().setCell(0, 1, QStringLiteral("TYPED"));

    w.action(QStringLiteral("TNewBtn"))->trigger();

    QCOMPARE(f.symbols(), QStringList({"TYPED", "", ""}));
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestListCommands::newThenSaveUnderANewName()
{
    WindowFixture f;
    TVantori1 &w = startOnAlpha(f);
    const QString caption = w.windowTitle();
    const QString total = w.Label1->text();

    w.action(QStringLiteral("CreateNewStockList1"))->trigger();

    QCOMPARE(f.symbols(), QStringList({""}));
    QCOMPARE(w.grid().rowTexts(1), QStringList(9, QString()));
    QCOMPARE(w.CurrentListPath, QString());
    QCOMPARE(w.CurrentListName, QString());
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(w.Label1->text(), total);

    w.grid().setCell(0, 1, QStringLiteral("NEW"));
    w.grid().setCell(5, 1, QStringLiteral("1,234.50"));
    const QString path = f.listsFolder() + QStringLiteral("/Fresh.Stk");
    f.prompts.saveAnswers << path;
    w.action(QStringLiteral("TSaveBtn"))->trigger();

    QCOMPARE(f.prompts.fileDialogs.last().fileName, QString());
    QCOMPARE(WindowFixture::read(path), QByteArray("NEW|@||@||@||@||@|1,234.50|@||@|\r\n"));
    QCOMPARE(f.symbols(), QStringList({"NEW"}));
    QCOMPARE(w.grid().cell(6, 1), QStringLiteral("1,234.50"));
    QCOMPARE(w.Label1->text(), QStringLiteral(" Total: 1,234.50"));
    QCOMPARE(w.CurrentListName, QStringLiteral("Fresh.Stk"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Vantori - ") + path);
    QCOMPARE(Globals().StockListsPath, f.listsFolder());
    QCOMPARE(f.selectedNode(), 5);
    QCOMPARE(f.nodeTexts()[5], QStringLiteral("Fresh.Stk"));
    QCOMPARE(f.nodeTexts()[6], QStringLiteral("NEW -  -  x 1,234.50 = 1,234.50"));
}

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
