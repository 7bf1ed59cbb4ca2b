#pragma once
#include "app/settings.h"
#include "platform/errorguard.h"
#include "platform/gridmodel.h"
#include "quotes/retrieval.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

class GridView;
class Prompts;
class QLabel;
class QSplitter;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QuoteFetcher;
class Shell;
class SoundPlayer;
class QAction;

// The desktop services the main window reaches; tests hand in scripted ones.
struct PlatformServices {
    Prompts *prompts = nullptr;
    Shell *shell = nullptr;
    SoundPlayer *sound = nullptr;
};

// The main window: the library tree of stock lists beside the holdings grid, the
// menus and tool bar, and the state every other window reads.
class TVantori1 : public QMainWindow {
    Q_OBJECT
public:
    // `programFolder` empty means the folder of the executable.
    explicit TVantori1(PlatformServices services, const QString &programFolder = QString(),
                       QWidget *parent = nullptr);
    ~TVantori1() override;

    // State shared with the other windows.
    bool MergeMode = false;
    bool StartUpDone = false;
    WindowGeometry Geometry;
    double ReferenceTotal = 0.0;
    QString TreeListName;
    QString ProgramFolder;
    QString CurrentListPath;
    QString CurrentListName;
    int ButtonCol = 0;
    int ButtonRow = 0;
    int DuplicateRow = 0;

    GridModel &grid() { return m_grid; }
    GridView *StringGrid1 = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QTimer *Timer1 = nullptr;
    QuoteFetcher *WebData1 = nullptr;
    Prompts &prompts() { return *m_services.prompts; }

    // Start-up, options and shutdown.
    void FormShow();
    void LoadStartUpList();
    void FormClose();
    void ApplyColorScheme();

    // Stock list file.
    void ReadStockList();
    bool HasDuplicateSymbols();
    void TSaveBtnClick();
    void TOpenBtnClick();
    void TNewBtnClick();

    // Library tree.
    void BuildListTree();
    void AddHoldingNodes(const QString &listName);
    int FindListNode(const QString &lowerName) const;
    QTreeWidgetItem *nodeAt(int index) const;
    int nodeCount() const;
    QStringList holdingTextsOfCurrentList() const;
    void RestoreOldAmounts();
    void TRefreshBtnClick();
    void TreeView1DblClick();
    void deleteSelectedList();
    bool nodeShowsLoss(const QTreeWidgetItem *node) const;

    // Row and clipboard commands.
    void TAddBtnClick();
    void TDeleteBtnClick();
    void TUpBtnClick();
    void TDownBtnClick();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void WindowsCalculator1Click();
    void Exit1Click();

    // Quotes and valuation.
    void TRunBtnClick();
    void Timer1Timer();
    void RetrieveQuotes();
    bool retrieving() const;
    void ShowTotals();
    void TCalcBtnClick();
    void TCalcBtn2Click();

    // The folder bare list names are found in: the one the list of files was last read from.
    QString listFolder() const { return m_listFolder; }
    QString resolveListPath(const QString &path) const;
    QStringList listFiles() const { return m_listFiles; }
    // Reads the "*.Stk" names of `folder`; false when it cannot be entered.
    bool pointFileListAt(const QString &folder);

    QAction *action(const QString &objectName) const;
    // The status bar's own line: retrieval progress and its summary. Hints shown while
    // the mouse passes over a button cover it only for that moment.
    void setStatusText(const QString &text);
    QString statusText() const;
    // The change label sits in the tool bar and is shown or hidden as a whole.
    void showChange(bool visible);
    bool changeShown() const;

signals:
    void retrievalFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildCentral();
    void applyStoredGeometry();
    void connectQuotes();
    void finishRetrieval();
    void setGridBackground();
    void playAlert();
    // Every event handler runs through here: an error becomes a message.
    template <typename F> void handler(F &&f) { guarded(prompts(), std::forward<F>(f)); }

    PlatformServices m_services;
    GridModel m_grid{9, 4};
    QSplitter *m_splitter = nullptr;
    QAction *m_label2Action = nullptr;
    QLabel *m_statusLabel = nullptr;
    QString m_listFolder;
    QString m_unreachableListsPath; // the folder setting that could not be opened at start
    QStringList m_listFiles;
    bool m_shown = false;
    QSet<QString> m_reportedSounds;
    QVector<Retrieval::Request> m_requests;
    bool m_busyCursor = false;
};
