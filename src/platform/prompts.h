#pragma once
#include <QColor>
#include <QString>
#include <optional>

class QWidget;

// Every message box and file or colour dialog of the program goes through here, so
// tests can answer them from a script and read what was said.
class Prompts {
public:
    virtual ~Prompts() = default;
    // An error with a single OK button.
    virtual void error(const QString &text, const QString &caption = QStringLiteral("Error! ")) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool question(const QString &text, const QString &caption = QStringLiteral("Vantori")) = 0;
    // Empty when the user cancels.
    virtual QString openFile(const QString &caption, const QString &folder, const QString &fileName,
                             const QString &filter) = 0;
    // Asks before overwriting; `defaultSuffix` is added to a name typed without one.
    virtual QString saveFile(const QString &caption, const QString &folder, const QString &fileName,
                             const QString &filter, const QString &defaultSuffix) = 0;
    virtual std::optional<QColor> chooseColor(const QColor &initial, const QString &caption) = 0;
};

// The real dialogs, parented to the window that asks.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }
    void error(const QString &text, const QString &caption) override;
    bool question(const QString &text, const QString &caption) override;
    QString openFile(const QString &caption, const QString &folder, const QString &fileName,
                     const QString &filter) override;
    QString saveFile(const QString &caption, const QString &folder, const QString &fileName,
                     const QString &filter, const QString &defaultSuffix) override;
    std::optional<QColor> chooseColor(const QColor &initial, const QString &caption) override;

private:
    QWidget *m_parent;
};
