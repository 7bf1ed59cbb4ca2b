#pragma once
// One main window on a program folder, a stock lists folder and a settings store of its
// own, with scripted dialogs; what every window test of the main window starts from.
#include "scriptedprompts.h"

#include "app/globals.h"
#include "lists/vantori.h"
#include "platform/gridmodel.h"
#include "platform/gridview.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

class WindowFixture {
public:
    WindowFixture()
    {
        // What a fresh process starts with, and a column width store that is not the user's.
        Globals() = TGlobals{};
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    ~WindowFixture() { window.reset(); }

    QString programFolder() const { return m_program.path(); }
    QString listsFolder() const { return m_lists.path(); }
    QString settingsFolder() const { return m_settings.path(); }
    QString optionsPath() const { return programFolder() + QStringLiteral("/Options.Ini"); }

    // A stock list line: seven fields, each closed by the separator.
    static QByteArray line(const QStringList &fields)
    {
        QString out;
        for (const QString &f : fields)
            out += f + QStringLiteral("|@|");
        return out.toUtf8();
    }
    // Lines with CR LF after each, as every file of the program is written.
    static QByteArray crlf(const QList<QByteArray> &lines)
    {
        QByteArray out;
        for (const QByteArray &l : lines)
            out += l + "\r\n";
        return out;
    }
    static QByteArray crlf(const QStringList &lines)
    {
        QList<QByteArray> bytes;
        for (const QString &l : lines)
            bytes << l.toUtf8();
        return crlf(bytes);
    }
    // A list whose rows are holdings named by `symbols`, with amounts that differ per row.
    static QByteArray holdings(const QStringList &symbols)
    {
        QList<QByteArray> lines;
        int n = 0;
        for (const QString &s : symbols) {
            ++n;
            lines << line({s, s + QStringLiteral(" Corp"), QStringLiteral("%1.00").arg(10 * n),
                           QString::number(n), QStringLiteral("%1.50").arg(10 * n),
                           QStringLiteral("%1.00").arg(100 * n), QStringLiteral("%1.00").arg(90 * n)});
        }
        return crlf(lines);
    }

    // The nineteen lines of a default options file with the given texts and geometry.
    static QStringList options(const QString &startUpList, const QString &listsFolder,
                               const QList<int> &geometry = {0, 0, 0, 0})
    {
        QStringList l{startUpList, listsFolder, QString()};
        for (int v : geometry)
            l << QString::number(v);
        l << QStringLiteral("1500") << QStringLiteral("100") << QStringLiteral("1400")
          << QStringLiteral("1000") << QStringLiteral("60");
        for (int i = 0; i < 7; ++i)
            l << QStringLiteral("FALSE");
        return l;
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
        QCOMPARE(f.write(bytes), bytes.size());
    }
    static QByteArray read(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QByteArray();
        return f.readAll();
    }
    void writeOptions(const QStringList &lines) { write(optionsPath(), crlf(lines)); }

    // Texts of data rows 1.. of the shown grid, column 0 only.
    QStringList symbols() const
    {
        QStringList out;
        for (int r = 1; r < window->grid().rowCount(); ++r)
            out << window->grid().cell(0, r);
        return out;
    }
    QStringList nodeTexts() const
    {
        QStringList out;
        for (int i = 0; i < window->nodeCount(); ++i)
            out << window->nodeAt(i)->text(0);
        return out;
    }
    // Index of the tree's selected node, -1 when none is selected.
    int selectedNode() const
    {
        const QList<QTreeWidgetItem *> sel = window->TreeView1->selectedItems();
        if (sel.isEmpty())
            return -1;
        for (int i = 0; i < window->nodeCount(); ++i)
            if (window->nodeAt(i) == sel.first())
                return i;
        return -1;
    }

    TVantori1 &create()
    {
        window = std::make_unique<TVantori1>(PlatformServices{&prompts, &shell, &sound}, programFolder());
        QAbstractItemModel *model = window->StringGrid1->model();
        new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        return *window;
    }
    // Creates the window and shows it, which runs the start-up.
    TVantori1 &start()
    {
        create();
        window->show();
        return *window;
    }

    ScriptedPrompts prompts;
    RecordingShell shell;
    RecordingSound sound;
    std::unique_ptr<TVantori1> window;

private:
    QTemporaryDir m_settings;
    QTemporaryDir m_program;
    QTemporaryDir m_lists;
};
